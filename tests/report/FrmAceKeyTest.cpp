#include "report/FrmAceKey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using varnholt::bands::ScrollCode;
using varnholt::keyboard::Modifier;
using varnholt::keyboard::ShiftState;
namespace Key = varnholt::keyboard::Key;

// Records every operation the key handler asks of the preview, in order.
class FakePreview final : public varnholt::bands::PreviewControl {
public:
    std::vector<std::string> calls;
    bool keyPreview = false;
    KeyDownHandler keyDown;

    int PageCount() const override { return 9; }
    int CurrentPage() const override { return 4; }
    void FirstPage() override { calls.push_back("first"); }
    void PreviousPage() override { calls.push_back("previous"); }
    void NextPage() override { calls.push_back("next"); }
    void LastPage() override { calls.push_back("last"); }
    void RefreshPageIndicator() override { calls.push_back("refresh"); }
    void ScrollVertical(varnholt::bands::ScrollRequest request) override {
        calls.push_back("vertical " + Describe(request));
    }
    void ScrollHorizontal(varnholt::bands::ScrollRequest request) override {
        calls.push_back("horizontal " + Describe(request));
    }
    void SetKeyPreview(bool on) override { keyPreview = on; }
    void SetKeyDownHandler(KeyDownHandler handler) override { keyDown = std::move(handler); }
    void Close() override { calls.push_back("close"); }

private:
    static std::string Describe(varnholt::bands::ScrollRequest request) {
        switch (request.code) {
        case ScrollCode::LineUp:
            return "line up";
        case ScrollCode::LineDown:
            return "line down";
        case ScrollCode::PageUp:
            return "page up";
        case ScrollCode::PageDown:
            return "page down";
        case ScrollCode::ThumbPosition:
            return "to " + std::to_string(request.position);
        }
        return "?";
    }
};

ShiftState Ctrl() {
    return ShiftState(Modifier::Ctrl);
}
ShiftState Shift() {
    return ShiftState(Modifier::Shift);
}
ShiftState CtrlShift() {
    return Modifier::Shift | Modifier::Ctrl;
}
ShiftState Alt() {
    return ShiftState(Modifier::Alt);
}
ShiftState LeftButton() {
    return ShiftState(Modifier::Left);
}

struct Row {
    const char* description;
    std::uint16_t key;
    ShiftState shift;
    std::vector<std::string> calls; // empty: the key passes on untouched
};

TEST(FrmAceKey, EveryKeyOfTheTableDoesItsOperationAndConsumesOrPasses) {
    const std::vector<Row> rows{
        {"Ctrl+PageUp", Key::PageUp, Ctrl(), {"first", "refresh"}},
        {"Ctrl+Shift+PageUp: Ctrl wins", Key::PageUp, CtrlShift(), {"first", "refresh"}},
        {"Shift+PageUp", Key::PageUp, Shift(), {"previous", "refresh"}},
        {"PageUp", Key::PageUp, {}, {"vertical page up", "refresh"}},
        {"Alt+PageUp scrolls", Key::PageUp, Alt(), {"vertical page up", "refresh"}},
        {"Ctrl+PageDown", Key::PageDown, Ctrl(), {"last", "refresh"}},
        {"Ctrl+Shift+PageDown", Key::PageDown, CtrlShift(), {"last", "refresh"}},
        {"Shift+PageDown", Key::PageDown, Shift(), {"next", "refresh"}},
        {"PageDown", Key::PageDown, {}, {"vertical page down", "refresh"}},
        {"End", Key::End, {}, {"horizontal to 2000"}},
        {"Shift+End", Key::End, Shift(), {}},
        {"Ctrl+End", Key::End, Ctrl(), {}},
        {"End with a mouse button", Key::End, LeftButton(), {}},
        {"Home", Key::Home, {}, {"horizontal to 0"}},
        {"Alt+Home", Key::Home, Alt(), {}},
        {"Left", Key::Left, {}, {"horizontal line up"}},
        {"Shift+Left", Key::Left, Shift(), {"horizontal line up"}},
        {"Ctrl+Left", Key::Left, Ctrl(), {"horizontal page up"}},
        {"Right", Key::Right, {}, {"horizontal line down"}},
        {"Ctrl+Right", Key::Right, Ctrl(), {"horizontal page down"}},
        {"Up", Key::Up, {}, {"vertical line up"}},
        {"Shift+Up", Key::Up, Shift(), {"vertical line up"}},
        {"Ctrl+Up", Key::Up, Ctrl(), {}},
        {"Down", Key::Down, {}, {"vertical line down"}},
        {"Ctrl+Down", Key::Down, Ctrl(), {}},
        {"Escape closes the preview", Key::Escape, {}, {"close"}},
        {"Space (32) is not handled", 32, {}, {}},
        {"Insert (45) is out of range", 45, {}, {}},
        {"Letter A passes", 65, Ctrl(), {}},
        {"a code of 26 passes", 26, {}, {}},
    };
    for (const Row& row : rows) {
        TFrmAceKey handler;
        FakePreview preview;
        std::uint16_t key = row.key;
        handler.FormKeyDown(preview, key, row.shift);
        EXPECT_EQ(preview.calls, row.calls) << row.description;
        EXPECT_EQ(key, row.calls.empty() ? row.key : 0) << row.description << ": consumed or passed";
    }
}

TEST(FrmAceKey, HookRoutesThePreviewsKeysToTheHandler) {
    TFrmAceKey handler;
    FakePreview preview;
    HookPreviewKeys(handler, &preview);
    EXPECT_TRUE(preview.keyPreview);
    ASSERT_TRUE(preview.keyDown);
    std::uint16_t key = Key::PageDown;
    preview.keyDown(preview, key, Shift());
    EXPECT_EQ(preview.calls, (std::vector<std::string>{"next", "refresh"}));
    EXPECT_EQ(key, 0);
}

TEST(FrmAceKey, HookWithoutAWindowChangesNothing) {
    TFrmAceKey handler;
    HookPreviewKeys(handler, nullptr);
    EXPECT_EQ(handler.Caption(), "FrmAceKey");
}

} // namespace

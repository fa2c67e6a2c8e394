#include "report/FrmAceKey.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using bands::ScrollCode;
using bands::ShiftState;
namespace VirtualKey = bands::VirtualKey;

// Records every operation the key handler asks of the preview, in order.
class FakePreview final : public bands::PreviewControl {
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
    void ScrollVertical(bands::ScrollRequest request) override { calls.push_back("vertical " + Describe(request)); }
    void ScrollHorizontal(bands::ScrollRequest request) override { calls.push_back("horizontal " + Describe(request)); }
    void SetKeyPreview(bool on) override { keyPreview = on; }
    void SetKeyDownHandler(KeyDownHandler handler) override { keyDown = std::move(handler); }
    void Close() override { calls.push_back("close"); }

private:
    static std::string Describe(bands::ScrollRequest request) {
        switch (request.code) {
        case ScrollCode::LineUp: return "line up";
        case ScrollCode::LineDown: return "line down";
        case ScrollCode::PageUp: return "page up";
        case ScrollCode::PageDown: return "page down";
        case ScrollCode::ThumbPosition: return "to " + std::to_string(request.position);
        }
        return "?";
    }
};

ShiftState Ctrl() { return ShiftState{.ctrl = true}; }
ShiftState Shift() { return ShiftState{.shift = true}; }
ShiftState CtrlShift() { return ShiftState{.shift = true, .ctrl = true}; }
ShiftState Alt() { return ShiftState{.alt = true}; }
ShiftState LeftButton() { return ShiftState{.leftButton = true}; }

struct Row {
    const char* description;
    std::uint16_t key;
    ShiftState shift;
    std::vector<std::string> calls;  // empty: the key passes on untouched
};

TEST(FrmAceKey, EveryKeyOfTheTableDoesItsOperationAndConsumesOrPasses) {
    const std::vector<Row> rows{
        {"Ctrl+PageUp", VirtualKey::PageUp, Ctrl(), {"first", "refresh"}},
        {"Ctrl+Shift+PageUp: Ctrl wins", VirtualKey::PageUp, CtrlShift(), {"first", "refresh"}},
        {"Shift+PageUp", VirtualKey::PageUp, Shift(), {"previous", "refresh"}},
        {"PageUp", VirtualKey::PageUp, {}, {"vertical page up", "refresh"}},
        {"Alt+PageUp scrolls", VirtualKey::PageUp, Alt(), {"vertical page up", "refresh"}},
        {"Ctrl+PageDown", VirtualKey::PageDown, Ctrl(), {"last", "refresh"}},
        {"Ctrl+Shift+PageDown", VirtualKey::PageDown, CtrlShift(), {"last", "refresh"}},
        {"Shift+PageDown", VirtualKey::PageDown, Shift(), {"next", "refresh"}},
        {"PageDown", VirtualKey::PageDown, {}, {"vertical page down", "refresh"}},
        {"End", VirtualKey::End, {}, {"horizontal to 2000"}},
        {"Shift+End", VirtualKey::End, Shift(), {}},
        {"Ctrl+End", VirtualKey::End, Ctrl(), {}},
        {"End with a mouse button", VirtualKey::End, LeftButton(), {}},
        {"Home", VirtualKey::Home, {}, {"horizontal to 0"}},
        {"Alt+Home", VirtualKey::Home, Alt(), {}},
        {"Left", VirtualKey::Left, {}, {"horizontal line up"}},
        {"Shift+Left", VirtualKey::Left, Shift(), {"horizontal line up"}},
        {"Ctrl+Left", VirtualKey::Left, Ctrl(), {"horizontal page up"}},
        {"Right", VirtualKey::Right, {}, {"horizontal line down"}},
        {"Ctrl+Right", VirtualKey::Right, Ctrl(), {"horizontal page down"}},
        {"Up", VirtualKey::Up, {}, {"vertical line up"}},
        {"Shift+Up", VirtualKey::Up, Shift(), {"vertical line up"}},
        {"Ctrl+Up", VirtualKey::Up, Ctrl(), {}},
        {"Down", VirtualKey::Down, {}, {"vertical line down"}},
        {"Ctrl+Down", VirtualKey::Down, Ctrl(), {}},
        {"Escape closes the preview", VirtualKey::Escape, {}, {"close"}},
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
    std::uint16_t key = VirtualKey::PageDown;
    preview.keyDown(preview, key, Shift());
    EXPECT_EQ(preview.calls, (std::vector<std::string>{"next", "refresh"}));
    EXPECT_EQ(key, 0);
}

TEST(FrmAceKey, HookWithoutAWindowChangesNothing) {
    TFrmAceKey handler;
    HookPreviewKeys(handler, nullptr);
    EXPECT_EQ(handler.Caption(), "FrmAceKey");
}

}  // namespace

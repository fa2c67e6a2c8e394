#include "report/FrmAceKey.h"

namespace {

using varnholt::bands::ScrollCode;
using varnholt::bands::ScrollRequest;
namespace Key = varnholt::keyboard::Key;
using varnholt::keyboard::Modifier;

// The horizontal thumb position that stands for "far right"; the page display clamps it.
constexpr int FarRight = 2000;

} // namespace

void TFrmAceKey::FormKeyDown(varnholt::bands::PreviewControl& sender, std::uint16_t& key,
                             varnholt::keyboard::ShiftState shift) {
    if (key < Key::Escape || key > Key::Down) {
        return;
    }
    switch (key) {
    case Key::Escape:
        // Users expect Escape to close a preview window.
        sender.Close();
        break;
    case Key::PageUp:
        if (shift.Has(Modifier::Ctrl)) {
            sender.FirstPage();
        } else if (shift.Has(Modifier::Shift)) {
            sender.PreviousPage();
        } else {
            sender.ScrollVertical({ScrollCode::PageUp, 0});
        }
        sender.RefreshPageIndicator();
        break;
    case Key::PageDown:
        if (shift.Has(Modifier::Ctrl)) {
            sender.LastPage();
        } else if (shift.Has(Modifier::Shift)) {
            sender.NextPage();
        } else {
            sender.ScrollVertical({ScrollCode::PageDown, 0});
        }
        sender.RefreshPageIndicator();
        break;
    case Key::End:
    case Key::Home:
        if (!shift.Empty()) {
            return;
        }
        sender.ScrollHorizontal({ScrollCode::ThumbPosition, key == Key::End ? FarRight : 0});
        break;
    case Key::Left:
        sender.ScrollHorizontal({shift.Has(Modifier::Ctrl) ? ScrollCode::PageUp : ScrollCode::LineUp, 0});
        break;
    case Key::Right:
        sender.ScrollHorizontal({shift.Has(Modifier::Ctrl) ? ScrollCode::PageDown : ScrollCode::LineDown, 0});
        break;
    case Key::Up:
    case Key::Down:
        if (shift.Has(Modifier::Ctrl)) {
            return;
        }
        sender.ScrollVertical({key == Key::Up ? ScrollCode::LineUp : ScrollCode::LineDown, 0});
        break;
    default:
        return;
    }
    key = 0;
}

void HookPreviewKeys(TFrmAceKey& keyHandler, varnholt::bands::PreviewControl* preview) {
    if (preview == nullptr) {
        return;
    }
    preview->SetKeyPreview(true);
    preview->SetKeyDownHandler(
        [&keyHandler](varnholt::bands::PreviewControl& sender, std::uint16_t& key,
                      varnholt::keyboard::ShiftState shift) { keyHandler.FormKeyDown(sender, key, shift); });
}

#include "report/FrmAceKey.h"

namespace {

using bands::ScrollCode;
using bands::ScrollRequest;
namespace VirtualKey = bands::VirtualKey;

// The horizontal thumb position that stands for "far right"; the page display clamps it.
constexpr int FarRight = 2000;

}  // namespace

void TFrmAceKey::FormKeyDown(bands::PreviewControl& sender, std::uint16_t& key, bands::ShiftState shift) {
    if (key < VirtualKey::Escape || key > VirtualKey::Down) {
        return;
    }
    switch (key) {
    case VirtualKey::Escape:
        // Users expect Escape to close a preview window.
        sender.Close();
        break;
    case VirtualKey::PageUp:
        if (shift.ctrl) {
            sender.FirstPage();
        } else if (shift.shift) {
            sender.PreviousPage();
        } else {
            sender.ScrollVertical({ScrollCode::PageUp, 0});
        }
        sender.RefreshPageIndicator();
        break;
    case VirtualKey::PageDown:
        if (shift.ctrl) {
            sender.LastPage();
        } else if (shift.shift) {
            sender.NextPage();
        } else {
            sender.ScrollVertical({ScrollCode::PageDown, 0});
        }
        sender.RefreshPageIndicator();
        break;
    case VirtualKey::End:
    case VirtualKey::Home:
        if (!shift.Empty()) {
            return;
        }
        sender.ScrollHorizontal({ScrollCode::ThumbPosition, key == VirtualKey::End ? FarRight : 0});
        break;
    case VirtualKey::Left:
        sender.ScrollHorizontal({shift.ctrl ? ScrollCode::PageUp : ScrollCode::LineUp, 0});
        break;
    case VirtualKey::Right:
        sender.ScrollHorizontal({shift.ctrl ? ScrollCode::PageDown : ScrollCode::LineDown, 0});
        break;
    case VirtualKey::Up:
    case VirtualKey::Down:
        if (shift.ctrl) {
            return;
        }
        sender.ScrollVertical({key == VirtualKey::Up ? ScrollCode::LineUp : ScrollCode::LineDown, 0});
        break;
    default:
        return;
    }
    key = 0;
}

void HookPreviewKeys(TFrmAceKey& keyHandler, bands::PreviewControl* preview) {
    if (preview == nullptr) {
        return;
    }
    preview->SetKeyPreview(true);
    preview->SetKeyDownHandler([&keyHandler](bands::PreviewControl& sender, std::uint16_t& key, bands::ShiftState shift) {
        keyHandler.FormKeyDown(sender, key, shift);
    });
}

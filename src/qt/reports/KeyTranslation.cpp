#include "qt/reports/KeyTranslation.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace qtreports {

std::uint16_t VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
    case Qt::Key_Escape: return bands::VirtualKey::Escape;
    case Qt::Key_PageUp: return bands::VirtualKey::PageUp;
    case Qt::Key_PageDown: return bands::VirtualKey::PageDown;
    case Qt::Key_End: return bands::VirtualKey::End;
    case Qt::Key_Home: return bands::VirtualKey::Home;
    case Qt::Key_Left: return bands::VirtualKey::Left;
    case Qt::Key_Up: return bands::VirtualKey::Up;
    case Qt::Key_Right: return bands::VirtualKey::Right;
    case Qt::Key_Down: return bands::VirtualKey::Down;
    case Qt::Key_Space: return 32;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    default: break;
    }
    // Letters and digits carry their upper-case ASCII codes.
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<std::uint16_t>(key);
    }
    return 0;
}

bands::ShiftState ShiftStateOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    bands::ShiftState shift;
    shift.shift = modifiers.testFlag(Qt::ShiftModifier);
    shift.alt = modifiers.testFlag(Qt::AltModifier);
    shift.ctrl = modifiers.testFlag(Qt::ControlModifier);
    shift.leftButton = buttons.testFlag(Qt::LeftButton);
    shift.rightButton = buttons.testFlag(Qt::RightButton);
    shift.middleButton = buttons.testFlag(Qt::MiddleButton);
    return shift;
}

}  // namespace qtreports

#include "qt/keyboard/QtKeyboard.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace varnholt::keyboard {

namespace {

std::uint16_t KeyOfQtCode(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return static_cast<std::uint16_t>('A' + (qtKey - Qt::Key_A));
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<std::uint16_t>('0' + (qtKey - Qt::Key_0));
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return static_cast<std::uint16_t>(Key::F1 + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return Key::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Key::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Return;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Insert:
        return Key::Insert;
    case Qt::Key_Delete:
        return Key::Delete;
    case Qt::Key_Shift:
        return Key::Shift;
    case Qt::Key_Control:
        return Key::Control;
    case Qt::Key_Alt:
        return Key::Menu;
    default:
        return Key::None;
    }
}

ShiftState ShiftFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    ShiftState shift;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        shift = shift | Modifier::Shift;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        shift = shift | Modifier::Alt;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        shift = shift | Modifier::Ctrl;
    }
    if (buttons.testFlag(Qt::LeftButton)) {
        shift = shift | Modifier::Left;
    }
    if (buttons.testFlag(Qt::RightButton)) {
        shift = shift | Modifier::Right;
    }
    if (buttons.testFlag(Qt::MiddleButton)) {
        shift = shift | Modifier::Middle;
    }
    return shift;
}

} // namespace

std::uint16_t KeyOfQt(const QKeyEvent& event) {
    return KeyOfQtCode(event.key());
}

ShiftState ShiftStateOfQt(const QKeyEvent& event) {
    return ShiftFrom(event.modifiers(), QGuiApplication::mouseButtons());
}

} // namespace varnholt::keyboard
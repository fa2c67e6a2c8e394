#include "qt/forms/QtKeys.h"

#include "toolkit/UserInput.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace qtforms {

namespace {

std::uint16_t VirtualKey(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return static_cast<std::uint16_t>('A' + (qtKey - Qt::Key_A));
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<std::uint16_t>('0' + (qtKey - Qt::Key_0));
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return static_cast<std::uint16_t>(toolkit::Key::F1 + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return toolkit::Key::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return toolkit::Key::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return toolkit::Key::Return;
    case Qt::Key_Escape:
        return toolkit::Key::Escape;
    case Qt::Key_Space:
        return toolkit::Key::Space;
    case Qt::Key_PageUp:
        return toolkit::Key::Prior;
    case Qt::Key_PageDown:
        return toolkit::Key::Next;
    case Qt::Key_End:
        return toolkit::Key::End;
    case Qt::Key_Home:
        return toolkit::Key::Home;
    case Qt::Key_Left:
        return toolkit::Key::Left;
    case Qt::Key_Up:
        return toolkit::Key::Up;
    case Qt::Key_Right:
        return toolkit::Key::Right;
    case Qt::Key_Down:
        return toolkit::Key::Down;
    case Qt::Key_Insert:
        return toolkit::Key::Insert;
    case Qt::Key_Delete:
        return toolkit::Key::Delete;
    case Qt::Key_Shift:
        return toolkit::Key::Shift;
    case Qt::Key_Control:
        return toolkit::Key::Control;
    case Qt::Key_Alt:
        return toolkit::Key::Menu;
    default:
        return toolkit::Key::None;
    }
}

toolkit::ShiftState ShiftFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    toolkit::ShiftState shift;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        shift = shift | toolkit::Modifier::Shift;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        shift = shift | toolkit::Modifier::Alt;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        shift = shift | toolkit::Modifier::Ctrl;
    }
    if (buttons.testFlag(Qt::LeftButton)) {
        shift = shift | toolkit::Modifier::Left;
    }
    if (buttons.testFlag(Qt::RightButton)) {
        shift = shift | toolkit::Modifier::Right;
    }
    if (buttons.testFlag(Qt::MiddleButton)) {
        shift = shift | toolkit::Modifier::Middle;
    }
    return shift;
}

} // namespace

std::optional<toolkit::KeyStroke> StrokeFromQt(const QKeyEvent& event) {
    const toolkit::ShiftState shift = ShiftFrom(event.modifiers(), QGuiApplication::mouseButtons());
    const std::uint16_t key = VirtualKey(event.key());
    char32_t typed = 0;
    const QString text = event.text();
    if (!text.isEmpty()) {
        const QList<uint> codePoints = text.toUcs4();
        if (!codePoints.isEmpty()) {
            typed = static_cast<char32_t>(codePoints.front());
        }
    }
    if (key != toolkit::Key::None) {
        toolkit::KeyStroke stroke = toolkit::StrokeForKey(key, shift);
        // The layout decides the character (a shifted digit, a letter on another layout).
        if (typed >= U' ' && typed != U'\x7F' && key != toolkit::Key::Space) {
            stroke.character = typed;
        }
        if (key == toolkit::Key::Tab) {
            stroke.character = 0;
            if (event.key() == Qt::Key_Backtab) {
                stroke.shift = stroke.shift | toolkit::Modifier::Shift;
            }
        }
        return stroke;
    }
    if (typed >= U' ' && typed != U'\x7F') {
        toolkit::KeyStroke stroke = toolkit::StrokeForCharacter(typed);
        stroke.shift = shift;
        return stroke;
    }
    return std::nullopt;
}

} // namespace qtforms

#include "qt/forms/QtKeys.h"

#include "qt/keyboard/QtKeyboard.h"
#include "toolkit/UserInput.h"

#include <QKeyEvent>

namespace varnholt::qtforms {

std::optional<toolkit::KeyStroke> StrokeFromQt(const QKeyEvent& event) {
    const toolkit::ShiftState shift = keyboard::ShiftStateOfQt(event);
    const std::uint16_t key = keyboard::KeyOfQt(event);
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

} // namespace varnholt::qtforms
#pragma once

#include "keyboard/Keys.h"

#include <cstdint>

class QKeyEvent;

// Qt's keys in the program's one key vocabulary, for the forms and the report preview alike.
namespace varnholt::keyboard {

// The virtual key code of a Qt key event; Key::None for keys without one.
std::uint16_t KeyOfQt(const QKeyEvent& event);

// The modifiers held with the key and the mouse buttons held at the time.
ShiftState ShiftStateOfQt(const QKeyEvent& event);

} // namespace varnholt::keyboard
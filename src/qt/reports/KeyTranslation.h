#pragma once

#include "bands/Keys.h"

#include <cstdint>

class QKeyEvent;

namespace qtreports {

// The virtual key code of a Qt key event (0 for keys without one) and its held modifiers.
std::uint16_t VirtualKeyOf(const QKeyEvent& event);
bands::ShiftState ShiftStateOf(const QKeyEvent& event);

}  // namespace qtreports

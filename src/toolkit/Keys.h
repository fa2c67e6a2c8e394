#pragma once

#include "keyboard/Keys.h"

#include <cstdint>

namespace varnholt::toolkit {

namespace Key = keyboard::Key;
using keyboard::Modifier;
using keyboard::ShiftState;

// One physical key stroke: the virtual key and, when the key produces one, its character.
struct KeyStroke {
    std::uint16_t key = Key::None;
    ShiftState shift;
    char32_t character = 0;
};

} // namespace varnholt::toolkit
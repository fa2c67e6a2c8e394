#pragma once

#include <cstdint>

namespace bands {

// Virtual key codes of the keys the preview reacts to (the usual desktop numbering).
namespace VirtualKey {
inline constexpr std::uint16_t Escape = 27;
inline constexpr std::uint16_t PageUp = 33;
inline constexpr std::uint16_t PageDown = 34;
inline constexpr std::uint16_t End = 35;
inline constexpr std::uint16_t Home = 36;
inline constexpr std::uint16_t Left = 37;
inline constexpr std::uint16_t Up = 38;
inline constexpr std::uint16_t Right = 39;
inline constexpr std::uint16_t Down = 40;
}  // namespace VirtualKey

// The modifiers and mouse buttons held with a key.
struct ShiftState {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
    bool leftButton = false;
    bool rightButton = false;
    bool middleButton = false;

    bool Empty() const { return !shift && !alt && !ctrl && !leftButton && !rightButton && !middleButton; }
    bool operator==(const ShiftState&) const = default;
};

}  // namespace bands

#pragma once

#include <cstdint>

// The one vocabulary of keys that the windows, the report preview and the Qt backend share:
// virtual key codes and the held modifiers.
namespace varnholt::keyboard {

// Virtual key codes as the windowing platform numbers them. Letters and digits use their
// upper-case ASCII codes ('A' = 65, '0' = 48).
namespace Key {
inline constexpr std::uint16_t None = 0;
inline constexpr std::uint16_t Back = 8;
inline constexpr std::uint16_t Tab = 9;
inline constexpr std::uint16_t Return = 13;
inline constexpr std::uint16_t Shift = 16;
inline constexpr std::uint16_t Control = 17;
inline constexpr std::uint16_t Menu = 18;
inline constexpr std::uint16_t Escape = 27;
inline constexpr std::uint16_t Space = 32;
inline constexpr std::uint16_t PageUp = 33;
inline constexpr std::uint16_t PageDown = 34;
inline constexpr std::uint16_t End = 35;
inline constexpr std::uint16_t Home = 36;
inline constexpr std::uint16_t Left = 37;
inline constexpr std::uint16_t Up = 38;
inline constexpr std::uint16_t Right = 39;
inline constexpr std::uint16_t Down = 40;
inline constexpr std::uint16_t Insert = 45;
inline constexpr std::uint16_t Delete = 46;
inline constexpr std::uint16_t F1 = 112;
inline constexpr std::uint16_t F2 = 113;
inline constexpr std::uint16_t F3 = 114;
inline constexpr std::uint16_t F4 = 115;
inline constexpr std::uint16_t F5 = 116;
inline constexpr std::uint16_t F6 = 117;
inline constexpr std::uint16_t F7 = 118;
inline constexpr std::uint16_t F8 = 119;
inline constexpr std::uint16_t F9 = 120;
inline constexpr std::uint16_t F10 = 121;
inline constexpr std::uint16_t F11 = 122;
inline constexpr std::uint16_t F12 = 123;
// A character that no key of the keyboard produces directly (typed from an input method).
inline constexpr std::uint16_t Packet = 231;
} // namespace Key

// A modifier pressed on its own.
constexpr bool IsModifierKey(std::uint16_t key) {
    return key == Key::Shift || key == Key::Control || key == Key::Menu;
}

// The held modifiers and mouse buttons that come with a key or mouse event.
enum class Modifier : std::uint8_t { Shift = 1, Alt = 2, Ctrl = 4, Left = 8, Right = 16, Middle = 32 };

class ShiftState {
public:
    constexpr ShiftState() = default;
    constexpr ShiftState(Modifier modifier) : bits(static_cast<std::uint8_t>(modifier)) {}

    constexpr bool Has(Modifier modifier) const { return (bits & static_cast<std::uint8_t>(modifier)) != 0; }
    constexpr bool Empty() const { return bits == 0; }
    constexpr ShiftState operator|(ShiftState other) const { return FromBits(bits | other.bits); }
    constexpr bool operator==(const ShiftState&) const = default;

private:
    static constexpr ShiftState FromBits(int value) {
        ShiftState state;
        state.bits = static_cast<std::uint8_t>(value);
        return state;
    }
    std::uint8_t bits = 0;
};

constexpr ShiftState operator|(Modifier first, Modifier second) {
    return ShiftState(first) | ShiftState(second);
}

} // namespace varnholt::keyboard
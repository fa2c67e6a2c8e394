#pragma once

#include <cstdint>

namespace varnholt::toolkit {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    constexpr bool operator==(const Colour&) const = default;
};

// The few colours the program's windows use, by the names the platform gives them.
namespace Colours {
inline constexpr Colour Black{0, 0, 0};
inline constexpr Colour White{255, 255, 255};
inline constexpr Colour Red{255, 0, 0};
inline constexpr Colour Maroon{128, 0, 0};
inline constexpr Colour Green{0, 128, 0};
inline constexpr Colour Navy{0, 0, 128};
inline constexpr Colour Blue{0, 0, 255};
inline constexpr Colour Yellow{255, 255, 0};
inline constexpr Colour Aqua{0, 255, 255};
inline constexpr Colour Silver{192, 192, 192};
inline constexpr Colour Gray{128, 128, 128};
// Face of dialogs, panels and buttons.
inline constexpr Colour ButtonFace{240, 240, 240};
// Background of edit fields and lists.
inline constexpr Colour Window{255, 255, 255};
inline constexpr Colour WindowText{0, 0, 0};
} // namespace Colours

} // namespace varnholt::toolkit
#pragma once

#include "toolkit/Colour.h"

#include <string>

namespace varnholt::toolkit {

struct Font {
    std::string family = "MS Sans Serif";
    // Size in points; used unless pixelSize is set.
    int pointSize = 8;
    // Character height in pixels; 0 means "use pointSize".
    int pixelSize = 0;
    bool bold = false;
    bool italic = false;
    Colour colour = Colours::WindowText;

    bool operator==(const Font&) const = default;
};

// The bold serif type of the program's windows, at a character height in pixels.
inline Font BoldSerifFont(int pixelSize) {
    Font font;
    font.family = "Times New Roman";
    font.pixelSize = pixelSize;
    font.bold = true;
    return font;
}

} // namespace varnholt::toolkit
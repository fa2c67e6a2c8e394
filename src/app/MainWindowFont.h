#pragma once

#include "toolkit/Font.h"

namespace varnholt::app {

// The bold serif type of the program's windows, at a character height in pixels.
inline toolkit::Font MainWindowFont(int pixelSize) {
    toolkit::Font font;
    font.family = "Times New Roman";
    font.pixelSize = pixelSize;
    font.bold = true;
    return font;
}

} // namespace varnholt::app

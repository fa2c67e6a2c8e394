#pragma once

#include <string>

namespace varnholt::bands {

// A font by family and size; the report's text is meant for the fixed-pitch "Courier New".
struct Font {
    std::string family = "Courier New";
    double sizePoints = 10.0;

    bool operator==(const Font&) const = default;
};

} // namespace varnholt::bands
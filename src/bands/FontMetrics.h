#pragma once

#include "bands/Font.h"

#include <string_view>

namespace varnholt::bands {

// Measures text for the layout. Pagination depends only on these figures, so a report paginates
// the same with or without a display; a renderer may refine the drawing, never the page breaks.
class FontMetrics {
public:
    virtual ~FontMetrics() = default;
    virtual double TextWidth(const Font& font, std::string_view text) const = 0;
    virtual double LineHeight(const Font& font) const = 0;
};

// Built-in metrics: every character is 0.6 em wide (the advance of "Courier New" and its
// metric-compatible stand-ins, so 6 pt at 10 pt), and a line is 1.05 em high (10.5 pt at
// 10 pt, 72 lines on a page of 10.5 printable inches). Other families are measured with the same
// figures; the program only prints fixed-pitch text.
class FixedPitchMetrics final : public FontMetrics {
public:
    static constexpr double CharacterWidthEm = 0.6;
    static constexpr double LineHeightEm = 1.05;

    double TextWidth(const Font& font, std::string_view text) const override;
    double LineHeight(const Font& font) const override;
};

// Characters of a UTF-8 text (the column count of a fixed-pitch line); carriage returns count
// for nothing because they render as nothing.
std::size_t VisibleCharacterCount(std::string_view text);

} // namespace varnholt::bands
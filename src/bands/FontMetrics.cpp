#include "bands/FontMetrics.h"

namespace varnholt::bands {

std::size_t VisibleCharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        // Continuation bytes of a UTF-8 sequence belong to the character before them.
        if ((byte & 0xC0U) != 0x80U && character != '\r') {
            ++count;
        }
    }
    return count;
}

double FixedPitchMetrics::TextWidth(const Font& font, std::string_view text) const {
    return static_cast<double>(VisibleCharacterCount(text)) * CharacterWidthEm * font.sizePoints;
}

double FixedPitchMetrics::LineHeight(const Font& font) const {
    return LineHeightEm * font.sizePoints;
}

} // namespace varnholt::bands
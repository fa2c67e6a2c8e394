#include "engine/TextLayout.h"

#include <algorithm>

namespace varnholt {

namespace {

// Manufacturer names may hold letters such as é or ß, which take two bytes in UTF-8 but one
// column on the fixed-pitch page: widths count characters, so continuation bytes are skipped.
int CharacterCount(std::string_view text) {
    int count = 0;
    for (const char byte : text)
        if ((static_cast<unsigned char>(byte) & 0xC0U) != 0x80U)
            ++count;
    return count;
}

} // namespace

std::string PadLeft(std::string_view text, char fill, int width) {
    const auto length = CharacterCount(text);
    std::string result;
    result.reserve(static_cast<std::size_t>(std::max(width, length)) + text.size() -
                   static_cast<std::size_t>(length));
    AppendPadLeft(result, text, fill, width);
    return result;
}

void AppendPadLeft(std::string& line, std::string_view text, char fill, int width) {
    const auto length = CharacterCount(text);
    if (width > length)
        line.append(static_cast<std::size_t>(width - length), fill);
    line += text;
}

std::string CentreText(std::string_view text, int width) {
    const auto length = CharacterCount(text);
    if (width <= length)
        return std::string(text);
    return PadLeft(text, ' ', width / 2 + length / 2);
}

} // namespace varnholt

#include "engine/TextLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace varnholt {

namespace {

// Manufacturer names may hold letters such as é or ß, which take two bytes in UTF-8 but one
// column on the fixed-pitch page: widths count characters, so continuation bytes are skipped.
int CharacterCount(std::string_view text) {
    // A continuation byte is 10xxxxxx: its top bit set and the one below clear. Eight bytes are
    // tested at once, since every entry of the largest system's lists is counted.
    constexpr std::uint64_t TopBits = 0x8080808080808080ULL;
    std::size_t continuations = 0;
    std::size_t index = 0;
    for (std::uint64_t word = 0; index + sizeof word <= text.size(); index += sizeof word) {
        std::memcpy(&word, text.data() + index, sizeof word);
        // One bit at the top of each byte that is a continuation byte: a multiplication adds them up.
        const std::uint64_t marks = (word & ~(word << 1U) & TopBits) >> 7U;
        continuations += static_cast<std::size_t>((marks * 0x0101010101010101ULL) >> 56U);
    }
    for (; index < text.size(); ++index)
        if ((static_cast<unsigned char>(text[index]) & 0xC0U) == 0x80U)
            ++continuations;
    return static_cast<int>(text.size() - continuations);
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

std::size_t WritePadLeft(char* out, std::string_view text, char fill, int width) {
    const auto length = CharacterCount(text);
    const std::size_t fillCount = width > length ? static_cast<std::size_t>(width - length) : 0;
    std::memset(out, fill, fillCount);
    if (!text.empty())
        std::memcpy(out + fillCount, text.data(), text.size());
    return fillCount + text.size();
}

std::string CentreText(std::string_view text, int width) {
    const auto length = CharacterCount(text);
    if (width <= length)
        return std::string(text);
    return PadLeft(text, ' ', width / 2 + length / 2);
}

} // namespace varnholt

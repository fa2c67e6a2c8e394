#include "toolkit/Utf8.h"

#include <cstddef>
#include <cstdint>

namespace varnholt::toolkit {

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Length of the sequence a lead byte announces, 0 for a byte that cannot start one.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

} // namespace

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        const auto lead = static_cast<unsigned char>(text[position]);
        const int length = SequenceLength(lead);
        if (length == 0 || position + static_cast<std::size_t>(length) > text.size()) {
            result.push_back(Replacement);
            ++position;
            continue;
        }
        if (length == 1) {
            result.push_back(lead);
            ++position;
            continue;
        }
        std::uint32_t value = lead & (0x7Fu >> length);
        bool valid = true;
        for (int index = 1; index < length; ++index) {
            const auto next = static_cast<unsigned char>(text[position + static_cast<std::size_t>(index)]);
            if ((next & 0xC0u) != 0x80u) {
                valid = false;
                break;
            }
            value = (value << 6) | (next & 0x3Fu);
        }
        const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
        const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
        if (!valid || overlong || surrogate || value > 0x10FFFF) {
            result.push_back(Replacement);
            ++position;
            continue;
        }
        result.push_back(static_cast<char32_t>(value));
        position += static_cast<std::size_t>(length);
    }
    return result;
}

std::string EncodeUtf8(char32_t character) {
    auto value = static_cast<std::uint32_t>(character);
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        value = Replacement;
    }
    std::string result;
    if (value < 0x80) {
        result.push_back(static_cast<char>(value));
    } else if (value < 0x800) {
        result.push_back(static_cast<char>(0xC0 | (value >> 6)));
        result.push_back(static_cast<char>(0x80 | (value & 0x3F)));
    } else if (value < 0x10000) {
        result.push_back(static_cast<char>(0xE0 | (value >> 12)));
        result.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
        result.push_back(static_cast<char>(0x80 | (value & 0x3F)));
    } else {
        result.push_back(static_cast<char>(0xF0 | (value >> 18)));
        result.push_back(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
        result.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
        result.push_back(static_cast<char>(0x80 | (value & 0x3F)));
    }
    return result;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char32_t character : text) {
        result += EncodeUtf8(character);
    }
    return result;
}

int CharacterCount(std::string_view text) {
    return static_cast<int>(DecodeUtf8(text).size());
}

} // namespace varnholt::toolkit
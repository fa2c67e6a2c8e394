#include "manufacturers/CodePage1252.h"

#include <array>

namespace varnholt::manufacturers {

namespace {

// Bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::optional<std::uint8_t> ToCodePage1252(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<std::uint8_t>(character);
    }
    for (std::size_t index = 0; index < HighControlRange.size(); ++index) {
        if (HighControlRange[index] == character) {
            return static_cast<std::uint8_t>(0x80 + index);
        }
    }
    return std::nullopt;
}

char32_t FromCodePage1252(std::uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        return HighControlRange[static_cast<std::size_t>(byte - 0x80)];
    }
    return byte;
}

std::string DecodeCodePage1252(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t byte : bytes) {
        AppendUtf8(text, FromCodePage1252(byte));
    }
    return text;
}

std::optional<std::string> EncodeCodePage1252(std::string_view text) {
    std::string bytes;
    while (!text.empty()) {
        auto codePoint = ReadCodePoint(text);
        if (!codePoint) {
            return std::nullopt;
        }
        auto byte = ToCodePage1252(codePoint->value);
        if (!byte) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(*byte));
        text.remove_prefix(codePoint->length);
    }
    return bytes;
}

std::optional<CodePoint> ReadCodePoint(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        return CodePoint{lead, 1};
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1Fu;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0Fu;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (text.size() < length) {
        return std::nullopt;
    }
    for (std::size_t index = 1; index < length; ++index) {
        auto continuation = static_cast<unsigned char>(text[index]);
        if ((continuation & 0xC0) != 0x80) {
            return std::nullopt;
        }
        value = (value << 6) | (continuation & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    return CodePoint{value, length};
}

void AppendUtf8(std::string& text, char32_t character) {
    auto put = [&text](char32_t bits) {
        text.push_back(static_cast<char>(static_cast<unsigned char>(bits)));
    };
    if (character < 0x80) {
        put(character);
    } else if (character < 0x800) {
        put(0xC0 | (character >> 6));
        put(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        put(0xE0 | (character >> 12));
        put(0x80 | ((character >> 6) & 0x3F));
        put(0x80 | (character & 0x3F));
    } else {
        put(0xF0 | (character >> 18));
        put(0x80 | ((character >> 12) & 0x3F));
        put(0x80 | ((character >> 6) & 0x3F));
        put(0x80 | (character & 0x3F));
    }
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    while (!text.empty()) {
        auto codePoint = ReadCodePoint(text);
        text.remove_prefix(codePoint ? codePoint->length : 1);
        ++count;
    }
    return count;
}

std::string CutToCharacters(std::string_view text, std::size_t count) {
    std::size_t bytes = 0;
    for (std::size_t taken = 0; taken < count && bytes < text.size(); ++taken) {
        auto codePoint = ReadCodePoint(text.substr(bytes));
        bytes += codePoint ? codePoint->length : 1;
    }
    return std::string(text.substr(0, bytes));
}

} // namespace varnholt::manufacturers
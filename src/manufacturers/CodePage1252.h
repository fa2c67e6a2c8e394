#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnholt::manufacturers {

// Names are stored in the file as bytes of the Windows ANSI code page 1252, while every text of
// the windowing layer is UTF-8. These conversions are the only place where the two meet.

// The byte that stands for the character, or nothing when code page 1252 cannot hold it.
std::optional<std::uint8_t> ToCodePage1252(char32_t character);

// The character a byte stands for. The five bytes the code page leaves undefined map to the
// control characters of the same value, so that every byte survives a round trip.
char32_t FromCodePage1252(std::uint8_t byte);

// UTF-8 text of the bytes.
std::string DecodeCodePage1252(std::span<const std::uint8_t> bytes);

// The bytes of a UTF-8 text, or nothing when the text is not valid UTF-8 or holds a character
// the code page cannot hold.
std::optional<std::string> EncodeCodePage1252(std::string_view text);

// The first code point of a UTF-8 text and its length in bytes; nothing when the text does not
// start with a valid sequence.
struct CodePoint {
    char32_t value = 0;
    std::size_t length = 0;
};
std::optional<CodePoint> ReadCodePoint(std::string_view text);

void AppendUtf8(std::string& text, char32_t character);

// The number of characters (code points) of a UTF-8 text; invalid bytes count one each.
std::size_t CharacterCount(std::string_view text);

// The text cut after its first `count` characters.
std::string CutToCharacters(std::string_view text, std::size_t count);

} // namespace varnholt::manufacturers
#pragma once

#include <string>
#include <string_view>

namespace varnholt::toolkit {

// UTF-8 text as code points; an invalid byte becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);
std::string EncodeUtf8(char32_t character);
// Number of characters (code points) in a UTF-8 text.
int CharacterCount(std::string_view text);

} // namespace varnholt::toolkit
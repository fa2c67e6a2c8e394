#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varnholt::toolkit {

// A text that should have been an integer was not. The event dispatcher shows the message in
// an error box and the program goes on.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string_view text);
};

// Decimal text to a 32-bit integer: an optional sign and digits only, no blanks, no other
// base. Throws ConversionError ("'<text>' is not a valid integer value") otherwise or when the
// value lies outside the 32-bit range.
std::int32_t StrToInt(std::string_view text);

} // namespace varnholt::toolkit
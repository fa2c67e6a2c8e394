#include "toolkit/ConversionError.h"

#include <limits>

namespace varnholt::toolkit {

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value") {}

std::int32_t StrToInt(std::string_view text) {
    std::size_t position = 0;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    if (position == text.size()) {
        throw ConversionError(text);
    }
    // Accumulate as a negative number so that the lowest 32-bit value fits.
    constexpr std::int64_t Lowest = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    for (; position < text.size(); ++position) {
        const char character = text[position];
        if (character < '0' || character > '9') {
            throw ConversionError(text);
        }
        value = value * 10 - (character - '0');
        if (value < Lowest) {
            throw ConversionError(text);
        }
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<std::int32_t>::max()) {
            throw ConversionError(text);
        }
    }
    return static_cast<std::int32_t>(value);
}

} // namespace varnholt::toolkit
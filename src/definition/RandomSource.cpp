#include "definition/RandomSource.h"

namespace varnholt::definition {

int SeededRandomSource::Next(int upperInclusive) {
    if (upperInclusive < 1) {
        return 0;
    }
    const auto range = static_cast<std::uint32_t>(upperInclusive) + 1U;
    // The largest multiple of range that the engine can produce; values above it would favour
    // the low numbers.
    constexpr auto EngineMaximum = static_cast<std::uint32_t>(std::mt19937::max());
    const std::uint32_t limit = EngineMaximum - (EngineMaximum % range + 1U) % range;
    std::uint32_t value = 0;
    do {
        value = static_cast<std::uint32_t>(engine());
    } while (value > limit);
    return static_cast<int>(value % range);
}

} // namespace varnholt::definition

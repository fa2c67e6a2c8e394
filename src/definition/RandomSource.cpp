#include "definition/RandomSource.h"

#include <chrono>

namespace varnholt::definition {

int SeededRandomSource::Next(int upperInclusive)
{
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

std::uint32_t SystemClock::MillisecondsSinceMidnight()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = now - floor<days>(now);
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}

} // namespace varnholt::definition

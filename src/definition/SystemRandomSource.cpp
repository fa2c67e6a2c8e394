#include "definition/SystemRandomSource.h"

#include <cerrno>
#include <cstddef>
#include <limits>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>

#include <bcrypt.h>
#elif defined(__APPLE__)
#include <stdlib.h>
#else
#include <sys/random.h>
#endif

namespace varnholt::definition {

std::uint32_t SystemRandomSource::NextWord() {
    std::uint32_t word = 0;
#if defined(_WIN32)
    if (BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&word), sizeof word,
                        BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0) {
        throw std::system_error(std::make_error_code(std::errc::io_error), "the system's random source");
    }
#elif defined(__APPLE__)
    arc4random_buf(&word, sizeof word);
#else
    auto* bytes = reinterpret_cast<unsigned char*>(&word);
    std::size_t filled = 0;
    while (filled < sizeof word) {
        const ssize_t got = getrandom(bytes + filled, sizeof word - filled, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::system_error(errno, std::generic_category(), "the system's random source");
        }
        filled += static_cast<std::size_t>(got);
    }
#endif
    return word;
}

int SystemRandomSource::Next(int upperInclusive) {
    if (upperInclusive < 1) {
        return 0;
    }
    const auto range = static_cast<std::uint32_t>(upperInclusive) + 1U;
    // Words above the largest multiple of range would favour the low numbers.
    constexpr auto WordMaximum = std::numeric_limits<std::uint32_t>::max();
    const std::uint32_t limit = WordMaximum - (WordMaximum % range + 1U) % range;
    std::uint32_t value = 0;
    do {
        value = NextWord();
    } while (value > limit);
    return static_cast<int>(value % range);
}

} // namespace varnholt::definition

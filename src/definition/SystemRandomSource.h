#pragma once

#include "definition/RandomSource.h"

#include <cstdint>

namespace varnholt::definition {

// Numbers from the operating system's cryptographic random source, which needs no seed and
// cannot be replayed from the time a key was drawn. Throws std::system_error in the unlikely
// case that the source cannot be read: a key is better refused than made predictable.
class SystemRandomSource final : public RandomSource {
public:
    int Next(int upperInclusive) override;

private:
    static std::uint32_t NextWord();
};

} // namespace varnholt::definition

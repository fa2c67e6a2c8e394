#pragma once

#include <cstdint>
#include <random>

namespace varnholt::definition {

// Where the random top master key gets its numbers. The program draws from the operating
// system (SystemRandomSource): a top master key opens every door, so it must not be guessable.
// Injected so that tests and fuzzers can replay a draw.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniformly drawn integer in 0..upperInclusive (0 when upperInclusive is below 1).
    virtual int Next(int upperInclusive) = 0;
};

// A replayable generator for tests and fuzzers: a Mersenne twister, whose sequence is the same
// on every platform, reduced to the range by rejection so that no value is favoured. Never used
// for a key that is handed out.
class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(std::uint32_t seed = 0) : engine(seed) {}
    int Next(int upperInclusive) override;

private:
    std::mt19937 engine;
};

} // namespace varnholt::definition

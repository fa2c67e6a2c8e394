#pragma once

#include <cstdint>
#include <random>

namespace varnholt::definition {

// Where the random top master key gets its numbers. Injected so that a test can replay a draw.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(std::uint32_t seed) = 0;
    // A uniformly drawn integer in 0..upperInclusive (0 when upperInclusive is below 1).
    virtual int Next(int upperInclusive) = 0;
};

// The program's generator: a Mersenne twister, whose sequence is the same on every platform,
// reduced to the range by rejection so that no value is favoured.
class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(std::uint32_t seed = 0) : engine(seed) {}
    void Seed(std::uint32_t seed) override { engine.seed(seed); }
    int Next(int upperInclusive) override;

private:
    std::mt19937 engine;
};

// The time of day that seeds the generator.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t MillisecondsSinceMidnight() = 0;
};

// Milliseconds since midnight, UTC, of the system clock.
class SystemClock final : public Clock {
public:
    std::uint32_t MillisecondsSinceMidnight() override;
};

} // namespace varnholt::definition

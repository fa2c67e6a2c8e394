#pragma once

#include "engine/GenerationState.h"
#include "manufacturers/ManufacturerRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace varnholt::fuzz {

// Keeps one run small: a report of more keys than this, or a change-key level with more
// combinations to walk, is not tried (a run must stay well under a tenth of a second).
inline constexpr std::int64_t MostListedKeys = 1500;
inline constexpr std::int64_t MostChangeKeyCombinations = 1300;

// The bytes of a fuzz input read one at a time; 0 once they run out.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> source) : bytes(source) {}
    std::uint8_t Next();
    // A value in 0..count-1 (0 when count is below 1).
    int Below(int count);

private:
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
};

// A manufacturer within the limits a record may hold, drawn from the bytes.
manufacturers::ManufacturerRecord DrawManufacturer(ByteReader& reader);

// The generation state after the "Data Input" dialog's OK, for a system drawn from the bytes,
// with the progression generated (the top master typed, or drawn as the dialog draws it);
// nothing when the dialog would refuse the request, or when it is larger than a fuzz run may take.
std::optional<GenerationState> DrawAcceptedRequest(std::span<const std::uint8_t> bytes);

} // namespace varnholt::fuzz

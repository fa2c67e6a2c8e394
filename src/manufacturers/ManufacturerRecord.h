#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace varnholt::manufacturers {

inline constexpr std::size_t RecordSize = 88;
inline constexpr std::size_t NameCapacity = 40;
inline constexpr std::size_t ControlChambersCapacity = 7;

// One record exactly as it lies in the database file.
using RecordBytes = std::array<std::uint8_t, RecordSize>;

// One manufacturer's limits. In memory the name is UTF-8 like every other text of the program;
// Encode and Decode convert it to and from code page 1252, the form it has in the file.
//
// File layout (integers signed 32-bit little-endian; a short string is a length byte followed by
// its capacity in character bytes):
//   0 Name (41)   44 ChamberChoices   48 MinChambers   52 ShallowestCut   56 DeepestCut
//   60 MaxAdjacentCut   64 StepIncrement   68 ControlFactor   72 StackTotal
//   76 ControlChambers (8)   84 IsICore (one byte, 0 or 1)
// Padding (41..43, 85..87), character bytes beyond a string's length and, without an
// interchangeable core, the seven control-chamber bytes are written as zero bytes.
struct ManufacturerRecord {
    std::string Name; // at most 40 characters, every one of them held by code page 1252
    std::int32_t ChamberChoices = 0;
    std::int32_t MinChambers = 0;
    std::int32_t ShallowestCut = 0;
    std::int32_t DeepestCut = 0;
    std::int32_t MaxAdjacentCut = 0;
    std::int32_t StepIncrement = 0;
    std::int32_t ControlFactor = 0;
    std::int32_t StackTotal = 0;
    std::string ControlChambers; // "" or seven of 'Y'/'N', chamber 1 first
    bool IsICore = false;

    std::int32_t MaxChambers() const { return MinChambers + ChamberChoices - 1; }

    // A character of the name the code page cannot hold is written as '?'; the name is cut to
    // its capacity.
    RecordBytes Encode() const;

    // Lengths above a string's capacity are cut to it (see FindLayoutDamage). With IsICore set the
    // control chambers are the seven bytes after the length byte, whatever the length says.
    static ManufacturerRecord Decode(const RecordBytes& bytes);

    bool operator==(const ManufacturerRecord&) const = default;
};

// What is wrong with the raw layout of a record (a length byte above its capacity, a boolean byte
// that is neither 0 nor 1), as a sentence for the user; nothing when the layout is sound.
std::optional<std::string> FindLayoutDamage(const RecordBytes& bytes);

} // namespace varnholt::manufacturers
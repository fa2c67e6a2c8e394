#include "manufacturers/ManufacturerRecord.h"

#include "manufacturers/CodePage1252.h"

#include <algorithm>
#include <span>

namespace varnholt::manufacturers {

namespace {

constexpr std::size_t NameOffset = 0;
constexpr std::size_t ChamberChoicesOffset = 44;
constexpr std::size_t MinChambersOffset = 48;
constexpr std::size_t ShallowestCutOffset = 52;
constexpr std::size_t DeepestCutOffset = 56;
constexpr std::size_t MaxAdjacentCutOffset = 60;
constexpr std::size_t StepIncrementOffset = 64;
constexpr std::size_t ControlFactorOffset = 68;
constexpr std::size_t StackTotalOffset = 72;
constexpr std::size_t ControlChambersOffset = 76;
constexpr std::size_t IsICoreOffset = 84;

void PutInteger(RecordBytes& bytes, std::size_t offset, std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t index = 0; index < 4; ++index) {
        bytes[offset + index] = static_cast<std::uint8_t>(bits >> (8 * index));
    }
}

std::int32_t GetInteger(const RecordBytes& bytes, std::size_t offset) {
    std::uint32_t bits = 0;
    for (std::size_t index = 0; index < 4; ++index) {
        bits |= static_cast<std::uint32_t>(bytes[offset + index]) << (8 * index);
    }
    return static_cast<std::int32_t>(bits);
}

void PutShortString(RecordBytes& bytes, std::size_t offset, std::size_t capacity, std::string_view text) {
    auto length = std::min(text.size(), capacity);
    bytes[offset] = static_cast<std::uint8_t>(length);
    for (std::size_t index = 0; index < length; ++index) {
        bytes[offset + 1 + index] = static_cast<std::uint8_t>(text[index]);
    }
}

std::span<const std::uint8_t> GetShortString(const RecordBytes& bytes, std::size_t offset,
                                             std::size_t capacity) {
    auto length = std::min<std::size_t>(bytes[offset], capacity);
    return std::span<const std::uint8_t>(bytes).subspan(offset + 1, length);
}

// A text as code page bytes, cut to its capacity; what the code page cannot hold becomes '?'.
// Both short strings go through here, so that what Decode reads back is what was written.
std::string CodePageBytes(std::string_view text, std::size_t capacity) {
    std::string bytes;
    while (!text.empty() && bytes.size() < capacity) {
        auto codePoint = ReadCodePoint(text);
        auto byte = codePoint ? ToCodePage1252(codePoint->value) : std::nullopt;
        bytes.push_back(byte ? static_cast<char>(*byte) : '?');
        text.remove_prefix(codePoint ? codePoint->length : 1);
    }
    return bytes;
}

} // namespace

RecordBytes ManufacturerRecord::Encode() const {
    RecordBytes bytes{};
    PutShortString(bytes, NameOffset, NameCapacity, CodePageBytes(Name, NameCapacity));
    PutInteger(bytes, ChamberChoicesOffset, ChamberChoices);
    PutInteger(bytes, MinChambersOffset, MinChambers);
    PutInteger(bytes, ShallowestCutOffset, ShallowestCut);
    PutInteger(bytes, DeepestCutOffset, DeepestCut);
    PutInteger(bytes, MaxAdjacentCutOffset, MaxAdjacentCut);
    PutInteger(bytes, StepIncrementOffset, StepIncrement);
    PutInteger(bytes, ControlFactorOffset, ControlFactor);
    PutInteger(bytes, StackTotalOffset, StackTotal);
    PutShortString(bytes, ControlChambersOffset, ControlChambersCapacity,
                   CodePageBytes(ControlChambers, ControlChambersCapacity));
    bytes[IsICoreOffset] = IsICore ? 1 : 0;
    return bytes;
}

ManufacturerRecord ManufacturerRecord::Decode(const RecordBytes& bytes) {
    ManufacturerRecord record;
    record.Name = DecodeCodePage1252(GetShortString(bytes, NameOffset, NameCapacity));
    record.ChamberChoices = GetInteger(bytes, ChamberChoicesOffset);
    record.MinChambers = GetInteger(bytes, MinChambersOffset);
    record.ShallowestCut = GetInteger(bytes, ShallowestCutOffset);
    record.DeepestCut = GetInteger(bytes, DeepestCutOffset);
    record.MaxAdjacentCut = GetInteger(bytes, MaxAdjacentCutOffset);
    record.StepIncrement = GetInteger(bytes, StepIncrementOffset);
    record.ControlFactor = GetInteger(bytes, ControlFactorOffset);
    record.StackTotal = GetInteger(bytes, StackTotalOffset);
    record.IsICore = bytes[IsICoreOffset] != 0;
    if (record.IsICore) {
        auto chambers =
            std::span<const std::uint8_t>(bytes).subspan(ControlChambersOffset + 1, ControlChambersCapacity);
        record.ControlChambers = DecodeCodePage1252(chambers);
    } else {
        auto chambers = GetShortString(bytes, ControlChambersOffset, ControlChambersCapacity);
        record.ControlChambers = DecodeCodePage1252(chambers);
    }
    return record;
}

std::optional<std::string> FindLayoutDamage(const RecordBytes& bytes) {
    if (bytes[NameOffset] > NameCapacity) {
        return "The name is " + std::to_string(bytes[NameOffset]) + " characters long, more than " +
               std::to_string(NameCapacity) + ".";
    }
    if (bytes[ControlChambersOffset] > ControlChambersCapacity) {
        return "The Control Chambers are " + std::to_string(bytes[ControlChambersOffset]) +
               " characters long, more than " + std::to_string(ControlChambersCapacity) + ".";
    }
    if (bytes[IsICoreOffset] > 1) {
        return "The Interchangeable Core flag holds " + std::to_string(bytes[IsICoreOffset]) +
               " instead of 0 or 1.";
    }
    return std::nullopt;
}

} // namespace varnholt::manufacturers
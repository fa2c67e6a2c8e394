#pragma once

#include "manufacturers/ManufacturerMessages.h"
#include "manufacturers/ManufacturerRecord.h"

#include <optional>
#include <string>

namespace varnholt::manufacturers {

// The values a record may hold, each with the message the data panel gives for one outside it.
// The panel's checks and the record check both read this one table.
struct ValueRange {
    int lowest = 0;
    int highest = 0;
    const char* message = "";

    constexpr bool Contains(std::int64_t value) const { return value >= lowest && value <= highest; }
};

inline constexpr int FewestChambers = 3;
inline constexpr int MostChambers = 7;
inline constexpr ValueRange MinimumChambersRange{FewestChambers, MostChambers,
                                                 messages::MinimumChambersRange};
inline constexpr ValueRange MaximumChambersRange{FewestChambers, MostChambers,
                                                 messages::MaximumChambersRange};
inline constexpr ValueRange ShallowestCutRange{0, 1, messages::ShallowRange};
inline constexpr ValueRange DeepestCutRange{5, 10, messages::DeepRange};
// 0, for no limit, is allowed besides.
inline constexpr ValueRange MaxAdjacentCutRange{3, 9, messages::MaxAdjacentRange};
inline constexpr ValueRange StepIncrementRange{1, 4, messages::StepRange};
inline constexpr ValueRange ControlFactorRange{1, 30, messages::ControlFactorRange};
inline constexpr ValueRange StackTotalRange{6, 30, messages::StackTotalRange};

constexpr bool MaxAdjacentCutAllowed(std::int64_t value) {
    return value == 0 || MaxAdjacentCutRange.Contains(value);
}

// The values of a record as the data panel shows them, one per field.
enum class RecordField {
    MinChambers,
    MaxChambers,
    ShallowestCut,
    DeepestCut,
    MaxAdjacentCut,
    StepIncrement,
    ControlFactor,
    StackTotal,
    ControlChambers,
};

struct ImpossibleValue {
    RecordField field = RecordField::MinChambers;
    // The message of the data panel's field, e.g. "The Deepest cut must be between 5 and 10."
    std::string message;
    // The field and the value found, e.g. "Deepest Cut: 42".
    std::string found;
};

// The first value of the record the generation cannot use, or nothing when the record is usable.
// The panel's own checks can be switched off while a listed record is changed; this check
// cannot, so it guards every write and every load.
std::optional<ImpossibleValue> FindImpossibleField(const ManufacturerRecord& record);

// The same, as the message alone: for the dialog and the batch command.
std::optional<std::string> FindImpossibleValue(const ManufacturerRecord& record);

// What is wrong with a record read from the file, e.g. "Deepest Cut: 42\nThe Deepest cut must be
// between 5 and 10."; nothing when it can be used.
std::optional<std::string> FindRecordDamage(const RecordBytes& bytes);

// Why a record read from the file (number 1 is the first) cannot be used, as the program tells
// it when the record is chosen; nothing when it can.
std::optional<std::string> DescribeRecordDamage(const RecordBytes& bytes, std::size_t recordNumber);

} // namespace varnholt::manufacturers
#pragma once

#include "manufacturers/ManufacturerRecord.h"

#include <optional>
#include <string>

namespace manufacturers {

// Limits a record must keep for the key system generation to use it.
inline constexpr int FewestChambers = 3;
inline constexpr int MostChambers = 7;
inline constexpr int LowestControlFactor = 1;
inline constexpr int HighestControlFactor = 30;
inline constexpr int LowestStackTotal = 6;
inline constexpr int HighestStackTotal = 30;

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

// Why a record read from the file (number 1 is the first) cannot be used, as the program tells
// it when the record is chosen; nothing when it can.
std::optional<std::string> DescribeRecordDamage(const RecordBytes& bytes, std::size_t recordNumber);

} // namespace manufacturers

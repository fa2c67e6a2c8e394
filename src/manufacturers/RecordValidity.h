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

// The message of the data panel's field that holds the first value the generation cannot use,
// or nothing when the record is usable. The panel's own checks can be switched off while a
// listed record is changed; this check cannot, so it guards every write and every load.
std::optional<std::string> FindImpossibleValue(const ManufacturerRecord& record);

} // namespace manufacturers

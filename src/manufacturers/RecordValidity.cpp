#include "manufacturers/RecordValidity.h"

#include "manufacturers/ManufacturerMessages.h"

#include <algorithm>

namespace manufacturers {

namespace {

bool Within(std::int32_t value, int lowest, int highest) { return value >= lowest && value <= highest; }

} // namespace

std::optional<std::string> FindImpossibleValue(const ManufacturerRecord& record) {
    if (!Within(record.MinChambers, FewestChambers, MostChambers)) {
        return messages::MinimumChambersRange;
    }
    if (record.ChamberChoices < 1) {
        return messages::MaximumBelowMinimum;
    }
    if (record.ChamberChoices > MostChambers || !Within(record.MaxChambers(), FewestChambers, MostChambers)) {
        return messages::MaximumChambersRange;
    }
    if (!Within(record.ShallowestCut, 0, 1)) {
        return messages::ShallowRange;
    }
    if (!Within(record.DeepestCut, 5, 10)) {
        return messages::DeepRange;
    }
    if (record.MaxAdjacentCut != 0 && !Within(record.MaxAdjacentCut, 3, 9)) {
        return messages::MaxAdjacentRange;
    }
    if (!Within(record.StepIncrement, 1, 4)) {
        return messages::StepRange;
    }
    if (record.IsICore) {
        if (!Within(record.ControlFactor, LowestControlFactor, HighestControlFactor)) {
            return messages::ControlFactorRange;
        }
        if (!Within(record.StackTotal, LowestStackTotal, HighestStackTotal)) {
            return messages::StackTotalRange;
        }
        const auto& chambers = record.ControlChambers;
        if (chambers.size() != ControlChambersCapacity ||
            !std::all_of(chambers.begin(), chambers.end(), [](char mark) { return mark == 'Y' || mark == 'N'; })) {
            return messages::ControlChambersForm;
        }
        if (chambers.find('Y') == std::string::npos) {
            return messages::NoControlChamber;
        }
    }
    return std::nullopt;
}

} // namespace manufacturers

#include "manufacturers/RecordValidity.h"

#include "manufacturers/ManufacturerMessages.h"

#include <algorithm>

namespace manufacturers {

namespace {

bool Within(std::int32_t value, int lowest, int highest) {
    return value >= lowest && value <= highest;
}

ImpossibleValue Impossible(RecordField field, const char* message, const char* label,
                           const std::string& value) {
    return ImpossibleValue{field, message, std::string(label) + ": " + value};
}

ImpossibleValue Impossible(RecordField field, const char* message, const char* label, std::int64_t value) {
    return Impossible(field, message, label, std::to_string(value));
}

} // namespace

std::optional<ImpossibleValue> FindImpossibleField(const ManufacturerRecord& record) {
    if (!Within(record.MinChambers, FewestChambers, MostChambers)) {
        return Impossible(RecordField::MinChambers, messages::MinimumChambersRange, "Minimum Chambers",
                          record.MinChambers);
    }
    // Widened: a damaged record may hold any choice count.
    const std::int64_t maxChambers = std::int64_t{record.MinChambers} + record.ChamberChoices - 1;
    if (record.ChamberChoices < 1) {
        return Impossible(RecordField::MaxChambers, messages::MaximumBelowMinimum, "Maximum Chambers",
                          maxChambers);
    }
    if (maxChambers > MostChambers) {
        return Impossible(RecordField::MaxChambers, messages::MaximumChambersRange, "Maximum Chambers",
                          maxChambers);
    }
    if (!Within(record.ShallowestCut, 0, 1)) {
        return Impossible(RecordField::ShallowestCut, messages::ShallowRange, "Shallowest Cut",
                          record.ShallowestCut);
    }
    if (!Within(record.DeepestCut, 5, 10)) {
        return Impossible(RecordField::DeepestCut, messages::DeepRange, "Deepest Cut", record.DeepestCut);
    }
    if (record.MaxAdjacentCut != 0 && !Within(record.MaxAdjacentCut, 3, 9)) {
        return Impossible(RecordField::MaxAdjacentCut, messages::MaxAdjacentRange, "Maximum Adjacent Cut",
                          record.MaxAdjacentCut);
    }
    if (!Within(record.StepIncrement, 1, 4)) {
        return Impossible(RecordField::StepIncrement, messages::StepRange, "Step Increment",
                          record.StepIncrement);
    }
    // The keys below the top master take the depths a whole number of steps away from its cuts;
    // a step wider than half the range leaves some cuts none, and the system no change key.
    if ((record.DeepestCut - record.ShallowestCut + 1) / record.StepIncrement < 2) {
        return Impossible(RecordField::StepIncrement, messages::StepLeavesNoDepth, "Step Increment",
                          record.StepIncrement);
    }
    if (record.IsICore) {
        if (!Within(record.ControlFactor, LowestControlFactor, HighestControlFactor)) {
            return Impossible(RecordField::ControlFactor, messages::ControlFactorRange, "Control Factor",
                              record.ControlFactor);
        }
        if (!Within(record.StackTotal, LowestStackTotal, HighestStackTotal)) {
            return Impossible(RecordField::StackTotal, messages::StackTotalRange, "Stack Total",
                              record.StackTotal);
        }
        const auto& chambers = record.ControlChambers;
        if (chambers.size() != ControlChambersCapacity ||
            !std::all_of(chambers.begin(), chambers.end(),
                         [](char mark) { return mark == 'Y' || mark == 'N'; })) {
            return Impossible(RecordField::ControlChambers, messages::ControlChambersForm, "Control Chambers",
                              "\"" + chambers + "\"");
        }
        if (chambers.find('Y') == std::string::npos) {
            return Impossible(RecordField::ControlChambers, messages::NoControlChamber, "Control Chambers",
                              "\"" + chambers + "\"");
        }
    }
    return std::nullopt;
}

std::optional<std::string> FindImpossibleValue(const ManufacturerRecord& record) {
    if (auto impossible = FindImpossibleField(record)) {
        return impossible->message;
    }
    return std::nullopt;
}

std::optional<std::string> DescribeRecordDamage(const RecordBytes& bytes, std::size_t recordNumber) {
    const ManufacturerRecord record = ManufacturerRecord::Decode(bytes);
    std::optional<std::string> damage = FindLayoutDamage(bytes);
    if (!damage) {
        if (auto impossible = FindImpossibleField(record)) {
            damage = impossible->found + "\n" + impossible->message;
        }
    }
    if (!damage) {
        return std::nullopt;
    }
    return "The Manufacturer \"" + record.Name + "\" (record " + std::to_string(recordNumber) +
           " of the file) is damaged:\n" + *damage;
}

} // namespace manufacturers

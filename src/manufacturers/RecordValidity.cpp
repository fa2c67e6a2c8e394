#include "manufacturers/RecordValidity.h"

#include "manufacturers/ManufacturerMessages.h"

#include <algorithm>

namespace varnholt::manufacturers {

namespace {

ImpossibleValue Impossible(RecordField field, const char* message, const char* label,
                           const std::string& value) {
    return ImpossibleValue{field, message, std::string(label) + ": " + value};
}

ImpossibleValue Impossible(RecordField field, const char* message, const char* label, std::int64_t value) {
    return Impossible(field, message, label, std::to_string(value));
}

} // namespace

std::optional<ImpossibleValue> FindImpossibleField(const ManufacturerRecord& record) {
    if (!MinimumChambersRange.Contains(record.MinChambers)) {
        return Impossible(RecordField::MinChambers, MinimumChambersRange.message, "Minimum Chambers",
                          record.MinChambers);
    }
    // Widened: a damaged record may hold any choice count.
    const std::int64_t maxChambers = std::int64_t{record.MinChambers} + record.ChamberChoices - 1;
    if (record.ChamberChoices < 1) {
        return Impossible(RecordField::MaxChambers, messages::MaximumBelowMinimum, "Maximum Chambers",
                          maxChambers);
    }
    if (!MaximumChambersRange.Contains(maxChambers)) {
        return Impossible(RecordField::MaxChambers, MaximumChambersRange.message, "Maximum Chambers",
                          maxChambers);
    }
    if (!ShallowestCutRange.Contains(record.ShallowestCut)) {
        return Impossible(RecordField::ShallowestCut, ShallowestCutRange.message, "Shallowest Cut",
                          record.ShallowestCut);
    }
    if (!DeepestCutRange.Contains(record.DeepestCut)) {
        return Impossible(RecordField::DeepestCut, DeepestCutRange.message, "Deepest Cut", record.DeepestCut);
    }
    // Keys and pinning print depth 10 as "0", so a depth 0 beside it could never be written.
    if (record.ShallowestCut == 0 && record.DeepestCut == 10) {
        return Impossible(RecordField::ShallowestCut, messages::ZeroAndTen, "Shallowest Cut",
                          record.ShallowestCut);
    }
    if (!MaxAdjacentCutAllowed(record.MaxAdjacentCut)) {
        return Impossible(RecordField::MaxAdjacentCut, MaxAdjacentCutRange.message, "Maximum Adjacent Cut",
                          record.MaxAdjacentCut);
    }
    if (!StepIncrementRange.Contains(record.StepIncrement)) {
        return Impossible(RecordField::StepIncrement, StepIncrementRange.message, "Step Increment",
                          record.StepIncrement);
    }
    // The keys below the top master take the depths a whole number of steps away from its cuts;
    // a step wider than half the range leaves some cuts none, and the system no change key.
    if ((record.DeepestCut - record.ShallowestCut + 1) / record.StepIncrement < 2) {
        return Impossible(RecordField::StepIncrement, messages::StepLeavesNoDepth, "Step Increment",
                          record.StepIncrement);
    }
    if (record.IsICore) {
        if (!ControlFactorRange.Contains(record.ControlFactor)) {
            return Impossible(RecordField::ControlFactor, ControlFactorRange.message, "Control Factor",
                              record.ControlFactor);
        }
        if (!StackTotalRange.Contains(record.StackTotal)) {
            return Impossible(RecordField::StackTotal, StackTotalRange.message, "Stack Total",
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

std::optional<std::string> FindRecordDamage(const RecordBytes& bytes) {
    if (auto damage = FindLayoutDamage(bytes)) {
        return damage;
    }
    if (auto impossible = FindImpossibleField(ManufacturerRecord::Decode(bytes))) {
        return impossible->found + "\n" + impossible->message;
    }
    return std::nullopt;
}

std::optional<std::string> DescribeRecordDamage(const RecordBytes& bytes, std::size_t recordNumber) {
    const std::optional<std::string> damage = FindRecordDamage(bytes);
    if (!damage) {
        return std::nullopt;
    }
    const ManufacturerRecord record = ManufacturerRecord::Decode(bytes);
    return "The Manufacturer \"" + record.Name + "\" (record " + std::to_string(recordNumber) +
           " of the file) is damaged:\n" + *damage;
}

} // namespace varnholt::manufacturers
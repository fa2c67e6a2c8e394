#include "FuzzedRequest.h"

#include "FuzzCheck.h"

#include "definition/BittingRules.h"
#include "definition/Capacity.h"
#include "definition/RandomMaster.h"
#include "definition/RandomSource.h"
#include "engine/Progression.h"
#include "manufacturers/RecordValidity.h"

#include <algorithm>
#include <string>

namespace varnholt::fuzz {

std::uint8_t ByteReader::Next()
{
    return position < bytes.size() ? bytes[position++] : std::uint8_t{0};
}

int ByteReader::Below(int count)
{
    return count < 1 ? 0 : Next() % count;
}

manufacturers::ManufacturerRecord DrawManufacturer(ByteReader& reader)
{
    manufacturers::ManufacturerRecord record;
    record.Name = "FUZZ";
    record.MinChambers = 3 + reader.Below(5);
    record.ChamberChoices = 1 + reader.Below(8 - record.MinChambers);
    record.ShallowestCut = reader.Below(2);
    record.DeepestCut = 5 + reader.Below(6);
    const int adjacent = reader.Below(8);
    record.MaxAdjacentCut = adjacent == 0 ? 0 : adjacent + 2;
    record.StepIncrement = 1 + reader.Below(4);
    record.IsICore = reader.Below(2) == 1;
    if (record.IsICore) {
        record.ControlFactor = 1 + reader.Below(30);
        record.StackTotal = 6 + reader.Below(25);
        const std::uint8_t marks = reader.Next();
        for (int chamber = 0; chamber < 7; ++chamber)
            record.ControlChambers += ((marks >> chamber) & 1U) != 0 ? 'Y' : 'N';
    }
    return record;
}

namespace {

// A bitting digit: mostly a depth the manufacturer cuts, now and then any digit at all so that
// the dialog's refusals are crossed too.
char DrawDigit(ByteReader& reader, const manufacturers::ManufacturerRecord& record)
{
    const std::uint8_t byte = reader.Next();
    if (byte >= 240)
        return static_cast<char>('0' + byte % 10);
    const int depth = record.ShallowestCut + byte % (record.DeepestCut - record.ShallowestCut + 1);
    return static_cast<char>('0' + depth % 10);
}

std::string DrawBitting(ByteReader& reader, const manufacturers::ManufacturerRecord& record, int chambers)
{
    std::string bitting;
    for (int chamber = 0; chamber < chambers; ++chamber)
        bitting += DrawDigit(reader, record);
    return bitting;
}

// What the dialog copies from the chosen manufacturer into the request.
void CopyManufacturer(GenerationState& state, const manufacturers::ManufacturerRecord& record)
{
    state.MfgName = record.Name;
    state.ShallowestCut = record.ShallowestCut;
    state.DeepestCut = record.DeepestCut;
    state.IsICore = record.IsICore;
    state.MaxAdjacentCut = record.MaxAdjacentCut == 0 ? definition::UnlimitedAdjacentCut : record.MaxAdjacentCut;
    state.StepIncrement = record.StepIncrement;
    state.ControlChambers = record.ControlChambers.empty() ? std::string(7, 'N') : record.ControlChambers;
    state.ControlFactor = record.ControlFactor;
    state.StackTotal = record.StackTotal;
    state.ZeroIsTen = record.DeepestCut == 10;
}

// A quantity near the figure the dialog shows beside its field, now and then a little above it.
std::int64_t DrawQuantity(ByteReader& reader, std::int64_t available)
{
    const int choice = reader.Below(8);
    if (choice == 0)
        return 0;
    if (choice == 1)
        return available;
    if (choice == 2)
        return available + 1;
    const std::int64_t bound = std::min<std::int64_t>(available, 64) + 1;
    return reader.Next() % bound;
}

} // namespace

std::optional<GenerationState> DrawAcceptedRequest(std::span<const std::uint8_t> bytes)
{
    ByteReader reader(bytes);
    const manufacturers::ManufacturerRecord record = DrawManufacturer(reader);
    if (manufacturers::FindImpossibleValue(record))
        return std::nullopt;

    GenerationState state;
    CopyManufacturer(state, record);
    state.Chambers = record.MinChambers + reader.Below(record.ChamberChoices);
    const definition::CutRules rules = definition::CutRulesFor(state);
    if (reader.Below(8) == 0) {
        // The dialog's random top master key must always be one the dialog itself accepts.
        std::uint32_t seed = 0;
        for (int part = 0; part < 4; ++part)
            seed = seed << 8U | reader.Next();
        definition::SeededRandomSource random(seed);
        FUZZ_CHECK(definition::CompleteRandomKey(state.TopMasterKey, state.Chambers, random, rules));
        FUZZ_CHECK(!definition::ValidateTopMasterKey(state.TopMasterKey, state.Chambers, rules));
    } else {
        state.TopMasterKey = DrawBitting(reader, record, state.Chambers);
        if (definition::ValidateTopMasterKey(state.TopMasterKey, state.Chambers, rules))
            return std::nullopt;
    }
    if (state.IsICore) {
        state.ControlKey = DrawBitting(reader, record, state.Chambers);
        if (definition::ValidateControlKey(state.ControlKey, state.TopMasterKey, state.ControlChambers,
                                          state.Chambers, rules))
            return std::nullopt;
    }

    const int steps = definition::DialogProgressionSteps(state.ShallowestCut, state.DeepestCut, state.StepIncrement);
    const std::int64_t masters = DrawQuantity(reader, definition::MastersAvailable(steps, state.Chambers));
    const std::int64_t subMasters =
        DrawQuantity(reader, definition::SubMastersAvailable(masters, steps, state.Chambers));
    std::optional<std::int64_t> changeKeys;
    if (reader.Below(4) != 0)
        changeKeys = reader.Next() % 40;
    const definition::QuantityPlan plan = definition::PlanQuantities(masters, subMasters, changeKeys, steps, state.Chambers);
    if (plan.refusal || plan.chamberRoles.size() != static_cast<std::size_t>(state.Chambers))
        return std::nullopt;

    // The work of one run: every key listed, and every change-key combination walked under
    // each key of the lowest master level.
    const std::int64_t lowestLevelKeys = std::max<std::int64_t>(plan.masterCount, 1) *
                                         std::max<std::int64_t>(plan.subMasterCount, 1);
    const std::int64_t combinations =
        definition::Power(steps, state.Chambers - plan.chamberCounts.masterChambers - plan.chamberCounts.subMasterChambers);
    if (lowestLevelKeys * (plan.changeKeyCount + 1) > MostListedKeys ||
        lowestLevelKeys * combinations > MostListedKeys * 20 || combinations > MostChangeKeyCombinations)
        return std::nullopt;

    state.MasterCount = static_cast<int>(plan.masterCount);
    state.SubMasterCount = static_cast<int>(plan.subMasterCount);
    state.ChangeKeyCount = static_cast<int>(plan.changeKeyCount);
    state.MasterChamberCount = plan.chamberCounts.masterChambers;
    state.SubMasterChamberCount = plan.chamberCounts.subMasterChambers;
    state.ChamberRoles = plan.chamberRoles;
    ClearProgressionTable(state);
    GenerateProgression(state);
    return state;
}

} // namespace varnholt::fuzz

#include "FuzzedRequest.h"

#include "FuzzCheck.h"

#include "definition/BittingRules.h"
#include "definition/Capacity.h"
#include "definition/RandomMaster.h"
#include "definition/RandomSource.h"
#include "definition/RequestBuilder.h"
#include "engine/Progression.h"
#include "manufacturers/RecordValidity.h"

#include <algorithm>
#include <string>

namespace varnholt::fuzz {

std::uint8_t ByteReader::Next() {
    return position < bytes.size() ? bytes[position++] : std::uint8_t{0};
}

int ByteReader::Below(int count) {
    return count < 1 ? 0 : Next() % count;
}

manufacturers::ManufacturerRecord DrawManufacturer(ByteReader& reader) {
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
char DrawDigit(ByteReader& reader, const manufacturers::ManufacturerRecord& record) {
    const std::uint8_t byte = reader.Next();
    if (byte >= 240)
        return static_cast<char>('0' + byte % 10);
    const int depth = record.ShallowestCut + byte % (record.DeepestCut - record.ShallowestCut + 1);
    return static_cast<char>('0' + depth % 10);
}

std::string DrawBitting(ByteReader& reader, const manufacturers::ManufacturerRecord& record, int chambers) {
    std::string bitting;
    for (int chamber = 0; chamber < chambers; ++chamber)
        bitting += DrawDigit(reader, record);
    return bitting;
}

// A quantity near the figure the dialog shows beside its field, now and then a little above it.
std::int64_t DrawQuantity(ByteReader& reader, std::int64_t available) {
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

namespace {

// The top master key as the user gives it: typed, or drawn as the dialog draws it, which must
// always give a key the dialog itself accepts.
std::string DrawTopMasterKey(ByteReader& reader, const manufacturers::ManufacturerRecord& record,
                             int chambers) {
    if (reader.Below(8) != 0)
        return DrawBitting(reader, record, chambers);
    std::uint32_t seed = 0;
    for (int part = 0; part < 4; ++part)
        seed = seed << 8U | reader.Next();
    definition::SeededRandomSource random(seed);
    const definition::CutRules rules = definition::CutRulesFor(definition::RequestForManufacturer(record));
    std::string key;
    FUZZ_CHECK(definition::CompleteRandomKey(key, chambers, random, rules));
    FUZZ_CHECK(!definition::ValidateTopMasterKey(key, chambers, rules));
    return key;
}

definition::SystemAnswers DrawAnswers(ByteReader& reader, const manufacturers::ManufacturerRecord& record) {
    definition::SystemAnswers answers;
    answers.chambers = record.MinChambers + reader.Below(record.ChamberChoices);
    answers.topMasterKey = DrawTopMasterKey(reader, record, answers.chambers);
    if (record.IsICore)
        answers.controlKey = DrawBitting(reader, record, answers.chambers);
    const int steps =
        definition::DialogProgressionSteps(record.ShallowestCut, record.DeepestCut, record.StepIncrement);
    const std::int64_t masters = DrawQuantity(reader, definition::MastersAvailable(steps, answers.chambers));
    answers.masters = definition::QuantityAnswer::Of(masters);
    answers.subMasters = definition::QuantityAnswer::Of(
        DrawQuantity(reader, definition::SubMastersAvailable(masters, steps, answers.chambers)));
    if (reader.Below(4) != 0)
        answers.changeKeys = definition::QuantityAnswer::Of(reader.Next() % 40);
    return answers;
}

// The work of one run: every key listed, and every change-key combination walked under each
// key of the lowest master level.
bool SmallEnough(const KeySystemRequest& request) {
    const int steps =
        definition::DialogProgressionSteps(request.ShallowestCut, request.DeepestCut, request.StepIncrement);
    const std::int64_t lowestLevelKeys =
        std::max<std::int64_t>(request.MasterCount, 1) * std::max<std::int64_t>(request.SubMasterCount, 1);
    const std::int64_t combinations = definition::Power(steps, request.Chambers - request.MasterChamberCount -
                                                                   request.SubMasterChamberCount);
    return lowestLevelKeys * (request.ChangeKeyCount + 1) <= MostListedKeys &&
           lowestLevelKeys * combinations <= MostListedKeys * 20 && combinations <= MostChangeKeyCombinations;
}

} // namespace

std::optional<GenerationState> DrawAcceptedRequest(std::span<const std::uint8_t> bytes) {
    ByteReader reader(bytes);
    const manufacturers::ManufacturerRecord record = DrawManufacturer(reader);
    if (manufacturers::FindImpossibleValue(record))
        return std::nullopt;
    const definition::BuiltRequest built = definition::BuildRequest(record, DrawAnswers(reader, record));
    if (built.refusal || !SmallEnough(built.request))
        return std::nullopt;
    GenerationState state;
    static_cast<KeySystemRequest&>(state) = built.request;
    ClearProgressionTable(state);
    GenerateProgression(state);
    return state;
}

} // namespace varnholt::fuzz

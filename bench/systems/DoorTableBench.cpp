// 2,000 doors on a 7-chamber system of about 10,000 listed keys (4 masters of 5 sub-masters of
// 500 change keys): what one edit of a row costs, and what checking every row costs.

#include "definition/RequestBuilder.h"
#include "engine/Progression.h"
#include "manufacturers/ManufacturerRecord.h"
#include "systems/DoorTable.h"
#include "systems/KeyListFingerprint.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace varnholt;

const GenerationState& LargeSystem() {
    static const GenerationState state = [] {
        manufacturers::ManufacturerRecord kessler;
        kessler.Name = "KESSLER";
        kessler.MinChambers = 3;
        kessler.ChamberChoices = 5;
        kessler.ShallowestCut = 0;
        kessler.DeepestCut = 9;
        kessler.StepIncrement = 1;
        definition::SystemAnswers answers;
        answers.chambers = 7;
        answers.topMasterKey = "2461357";
        answers.masters = definition::QuantityAnswer::Of(4);
        answers.subMasters = definition::QuantityAnswer::Of(5);
        answers.changeKeys = definition::QuantityAnswer::Of(500);
        GenerationState generated;
        static_cast<KeySystemRequest&>(generated) = definition::BuildRequest(kessler, answers).request;
        ClearProgressionTable(generated);
        GenerateProgression(generated);
        return generated;
    }();
    return state;
}

// Mostly one change key a door, some cross-keyed to two, some to a sub-master, a few common
// entries of every key under a sub-master.
std::vector<systems::Door> Doors(const systems::DoorTable& table) {
    std::vector<std::size_t> changeKeys;
    std::vector<std::size_t> subMasters;
    for (std::size_t index = 0; index < table.Schedule().size(); ++index) {
        const ScheduledKey& key = table.Schedule()[index];
        if (!key.listed)
            continue;
        if (key.level == KeyLevel::ChangeKey)
            changeKeys.push_back(index);
        else if (key.level == KeyLevel::SubMaster)
            subMasters.push_back(index);
    }
    std::vector<systems::Door> doors;
    for (std::size_t door = 0; door < 2000; ++door) {
        std::string keyedTo;
        if (door % 40 == 39)
            keyedTo = table.Keys().Designation(subMasters[(door / 40) % subMasters.size()]) + " *";
        else if (door % 10 == 9)
            keyedTo = table.Keys().Designation(subMasters[door % subMasters.size()]);
        else if (door % 5 == 4)
            keyedTo = table.Keys().Designation(changeKeys[(door * 7) % changeKeys.size()]) + "; " +
                      table.Keys().Designation(changeKeys[(door * 13 + 2500) % changeKeys.size()]);
        else
            keyedTo = table.Keys().Designation(changeKeys[(door * 5) % changeKeys.size()]);
        systems::Door made;
        made.number = std::to_string(100 + door);
        made.location = "Room " + std::to_string(door);
        made.targets = systems::ParseDoorTargets(keyedTo).targets;
        doors.push_back(std::move(made));
    }
    return doors;
}

systems::DoorTable& Table() {
    static systems::DoorTable table = [] {
        systems::DoorTable made(LargeSystem(), {});
        made.Assign(Doors(made));
        return made;
    }();
    return table;
}

// One row's Keyed To typed anew: the cross-keyed door pinned and searched again.
void EditOneRow(benchmark::State& state) {
    systems::DoorTable& table = Table();
    const std::string keyedTo[] = {table.KeyedToText(4), table.KeyedToText(9)};
    int turn = 0;
    for (auto _ : state) {
        table.SetKeyedTo(4, keyedTo[turn]);
        turn = 1 - turn;
        benchmark::DoNotOptimize(table.Check(4));
    }
    table.SetKeyedTo(4, keyedTo[0]);
    state.counters["listed keys"] = static_cast<double>(table.Keys().Schedule().size());
}
BENCHMARK(EditOneRow)->Unit(benchmark::kMillisecond);

// A common-entry row typed anew: every key under its sub-master.
void EditCommonEntryRow(benchmark::State& state) {
    systems::DoorTable& table = Table();
    const std::string keyedTo[] = {table.KeyedToText(39), table.KeyedToText(79)};
    int turn = 0;
    for (auto _ : state) {
        table.SetKeyedTo(39, keyedTo[turn]);
        turn = 1 - turn;
        benchmark::DoNotOptimize(table.Check(39));
    }
    table.SetKeyedTo(39, keyedTo[0]);
}
BENCHMARK(EditCommonEntryRow)->Unit(benchmark::kMillisecond);

// A door number changed: the counts of numbers only.
void RenumberOneRow(benchmark::State& state) {
    systems::DoorTable& table = Table();
    int turn = 0;
    for (auto _ : state) {
        table.SetNumber(7, turn == 0 ? "X7" : "107");
        turn = 1 - turn;
        benchmark::DoNotOptimize(table.Check(7));
    }
}
BENCHMARK(RenumberOneRow)->Unit(benchmark::kMicrosecond);

// Every row checked from scratch, as after an import.
void CheckEveryRow(benchmark::State& state) {
    systems::DoorTable& table = Table();
    const std::vector<systems::Door> doors = table.Doors();
    for (auto _ : state)
        table.Assign(doors);
}
BENCHMARK(CheckEveryRow)->Unit(benchmark::kMillisecond);

// What each edit costs besides: the rows' verdicts read for display, and the comparison with
// the doors last saved that marks the window's title.
void ReadEveryCheckAndCompare(benchmark::State& state) {
    systems::DoorTable& table = Table();
    const std::vector<systems::Door> saved = table.Doors();
    for (auto _ : state) {
        for (std::size_t row = 0; row < table.Size(); ++row)
            benchmark::DoNotOptimize(table.Check(row));
        benchmark::DoNotOptimize(table.Doors() == saved);
    }
}
BENCHMARK(ReadEveryCheckAndCompare)->Unit(benchmark::kMillisecond);

// Saving: the fingerprint of the keys, pins and every door.
void FingerprintWithDoors(benchmark::State& state) {
    systems::DoorTable& table = Table();
    const std::vector<systems::Door> doors = table.Doors();
    for (auto _ : state)
        benchmark::DoNotOptimize(systems::KeysAndPinsFingerprint(table.Request(), table.Schedule(), doors));
}
BENCHMARK(FingerprintWithDoors)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

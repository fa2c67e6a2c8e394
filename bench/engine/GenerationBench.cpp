#include "definition/RequestBuilder.h"
#include "engine/GenerationState.h"
#include "engine/KeyComposition.h"
#include "engine/KeySchedule.h"
#include "engine/Progression.h"
#include "manufacturers/ManufacturerRecord.h"

#include <benchmark/benchmark.h>

using namespace varnholt;

namespace {

GenerationState SevenChamberSystem(int stepIncrement) {
    manufacturers::ManufacturerRecord record;
    record.Name = "BENCH";
    record.MinChambers = 7;
    record.ChamberChoices = 1;
    record.ShallowestCut = 0;
    record.DeepestCut = 9;
    record.StepIncrement = stepIncrement;
    record.MaxAdjacentCut = 7;
    record.IsICore = true;
    record.ControlChambers = "YNYNYNY";
    record.ControlFactor = 6;
    record.StackTotal = 23;
    definition::SystemAnswers answers;
    answers.chambers = 7;
    answers.topMasterKey = "3592746";
    answers.controlKey = "5714962";
    GenerationState state;
    static_cast<KeySystemRequest&>(state) = definition::BuildRequest(record, answers).request;
    for (std::size_t chamber = 1; chamber <= 7; ++chamber) {
        state.TmkCuts[chamber] = state.TopMasterKey[chamber - 1] - '0';
        state.ControlCuts[chamber] = state.ControlKey[chamber - 1] - '0';
    }
    return state;
}

void GenerateProgressionSevenChambers(benchmark::State& run) {
    GenerationState state = SevenChamberSystem(static_cast<int>(run.range(0)));
    for (auto _ : run) {
        GenerateProgression(state);
        benchmark::DoNotOptimize(state.ProgressionTable);
    }
}
BENCHMARK(GenerateProgressionSevenChambers)->DenseRange(1, 4)->ArgName("step");

void CheckKeySevenChambers(benchmark::State& run) {
    GenerationState state = SevenChamberSystem(2);
    state.IsICore = run.range(0) != 0;
    std::string bitting = "3592700";
    ChamberValues cuts{};
    int variant = 0;
    for (auto _ : run) {
        // Change the last chambers from key to key, as the change keys do.
        variant = (variant + 1) % 100;
        bitting[5] = static_cast<char>('0' + variant / 10);
        bitting[6] = static_cast<char>('0' + variant % 10);
        for (std::size_t chamber = 1; chamber <= 7; ++chamber)
            cuts[chamber] = bitting[chamber - 1] - '0';
        benchmark::DoNotOptimize(CheckComposedKey(state, state.TmkCuts, state.ControlCuts, cuts, bitting));
    }
}
BENCHMARK(CheckKeySevenChambers)->Arg(0)->Arg(1)->ArgName("core");

// The largest system the dialog allows: 7 chambers, depths 0..9 in steps of 1 (6 columns), no
// masters and every one of the 6^7 = 279,936 change keys.
void KeyScheduleLargestSystem(benchmark::State& run) {
    GenerationState state;
    state.Chambers = 7;
    state.ShallowestCut = 0;
    state.DeepestCut = 9;
    state.StepIncrement = 1;
    state.MaxAdjacentCut = 20;
    state.ControlChambers = "NNNNNNN";
    state.TopMasterKey = "2461357";
    state.ChamberRoles = "RRRRRRR";
    state.ChangeKeyCount = 279936;
    GenerateProgression(state);
    std::size_t keys = 0;
    for (auto _ : run) {
        const KeySchedule schedule = ComputeKeySchedule(state);
        keys = schedule.size();
        benchmark::DoNotOptimize(schedule.data());
    }
    run.counters["keys"] = static_cast<double>(keys);
}
BENCHMARK(KeyScheduleLargestSystem)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

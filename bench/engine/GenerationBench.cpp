#include "definition/RequestBuilder.h"
#include "engine/GenerationState.h"
#include "engine/KeyComposition.h"
#include "engine/Progression.h"
#include "manufacturers/ManufacturerRecord.h"

#include <benchmark/benchmark.h>

using namespace varnholt;

namespace {

GenerationState SevenChamberSystem(int stepIncrement)
{
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
    state.KeyCompositionEnabled = true;
    for (std::size_t chamber = 1; chamber <= 7; ++chamber) {
        state.TmkCuts[chamber] = state.TopMasterKey[chamber - 1] - '0';
        state.ControlCuts[chamber] = state.ControlKey[chamber - 1] - '0';
    }
    return state;
}

void GenerateProgressionSevenChambers(benchmark::State& run)
{
    GenerationState state = SevenChamberSystem(static_cast<int>(run.range(0)));
    for (auto _ : run) {
        GenerateProgression(state);
        benchmark::DoNotOptimize(state.ProgressionTable);
    }
}
BENCHMARK(GenerateProgressionSevenChambers)->DenseRange(1, 4)->ArgName("step");

void ComposeKeySevenChambers(benchmark::State& run)
{
    GenerationState state = SevenChamberSystem(2);
    state.IsICore = run.range(0) != 0;
    ChamberFlags usable{};
    usable.fill(true);
    bool exists = false;
    bool allEqual = false;
    bool compatible = false;
    int variant = 0;
    for (auto _ : run) {
        // Change the last chambers from key to key, as the change-key bands do.
        variant = (variant + 1) % 100;
        ComposeKey(state, 3500000, 90000, 2000, 700, variant, usable, exists, allEqual, compatible);
        benchmark::DoNotOptimize(state.KeyBitting);
        benchmark::DoNotOptimize(state.KeyMark);
    }
}
BENCHMARK(ComposeKeySevenChambers)->Arg(0)->Arg(1)->ArgName("core");

} // namespace

BENCHMARK_MAIN();

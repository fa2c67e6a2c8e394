#include "engine/Progression.h"

#include "engine/Depth.h"
#include "engine/RequestChecks.h"

#include <algorithm>
#include <string>
#include <utility>

namespace varnholt {

namespace {

// Marks a chamber whose progression has run out of usable depths; it stays below every depth.
constexpr int NoDepthMarker = -5;

// Where a progression of step 1 or 2 starts again after passing the deepest cut. Step 2 stays in
// its odd or even series so that the chamber keeps its step from the top master depth.
int WrapDepth(int lowestDepth, int step, bool wasEven) {
    if (step == 2 && (lowestDepth % 2 == 0) != wasEven)
        return lowestDepth + 1;
    return lowestDepth;
}

std::string CellText(int depth, int lowestDepth, bool zeroIsTen) {
    if (depth < lowestDepth)
        return "-";
    // Depths above 9 only exist where depth 10 is written "0".
    if (zeroIsTen && depth == 10)
        return "0";
    return std::string(1, static_cast<char>('0' + depth));
}

void ProgressChamber(GenerationState& state, int chamber, int lowestDepth) {
    const int step = state.StepIncrement;
    const char topDigit = state.TopMasterKey[static_cast<std::size_t>(chamber - 1)];
    const int topDepth = DepthOfDigit(topDigit, state.ZeroIsTen);
    // The running depth holds depths as they are written, so depth 10 is kept as 0 between columns.
    int depth = DigitValue(topDigit);
    int increment = step;
    auto& row = state.ProgressionTable[static_cast<std::size_t>(chamber)];

    for (int column = 1; column <= state.ProgressionSteps; ++column) {
        const bool wasEven = depth % 2 == 0;
        if (state.ZeroIsTen && depth == 0)
            depth = 10;
        depth += increment;

        if (step == 3 && column >= 2) {
            if (depth > state.DeepestCut) {
                increment = -3;
                depth = topDepth - 3;
            } else if (depth < lowestDepth) {
                depth = NoDepthMarker;
            }
        } else if ((step == 1 || step == 2) && depth > state.DeepestCut) {
            depth = WrapDepth(lowestDepth, step, wasEven);
        } else if (depth > state.DeepestCut) {
            // Step 4, or step 3 in its first column: run back down from the top master depth.
            increment = -step;
            depth = topDepth - step;
        }

        // A depth the manufacturer cannot cut shows as "-" while the progression runs on, like
        // the top master depth below.
        std::string cell = CellText(depth, lowestDepth, state.ZeroIsTen);
        if (state.ZeroIsTen && depth == 10)
            depth = 0;
        if (cell[0] == topDigit)
            cell = "-";
        row[static_cast<std::size_t>(column)] = std::move(cell);
    }
}

} // namespace

void ClearProgressionTable(GenerationState& state) {
    for (auto& row : state.ProgressionTable)
        for (auto& cell : row)
            cell.clear();
}

void GenerateProgression(GenerationState& state) {
    RequireGenerationRequest(state);
    ClearProgressionTable(state);
    state.ProgressionSteps =
        std::min(MaxUsedProgressionColumns, (state.DeepestCut - state.ShallowestCut) / state.StepIncrement);
    const int lowestDepth = LowestWritableDepth(state);
    for (int chamber = 1; chamber <= state.Chambers; ++chamber)
        ProgressChamber(state, chamber, lowestDepth);
}

} // namespace varnholt

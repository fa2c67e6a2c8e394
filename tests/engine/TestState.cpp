#include "TestState.h"

namespace varnholt::test {

GenerationState MakeState(int shallowestCut, int deepestCut, int stepIncrement,
                          const std::string& topMasterKey) {
    GenerationState state;
    state.MfgName = "BRANDT";
    state.ShallowestCut = shallowestCut;
    state.DeepestCut = deepestCut;
    state.ZeroIsTen = deepestCut == 10;
    state.StepIncrement = stepIncrement;
    state.MaxAdjacentCut = 9;
    state.Chambers = static_cast<int>(topMasterKey.size());
    state.TopMasterKey = topMasterKey;
    state.ControlChambers = "NNNNNNN";
    return state;
}

std::string Row(const GenerationState& state, int chamber) {
    std::string row;
    for (int column = 1; column <= state.ProgressionSteps; ++column) {
        if (column > 1)
            row += ' ';
        row += state.ProgressionTable[static_cast<std::size_t>(chamber)][static_cast<std::size_t>(column)];
    }
    return row;
}

std::string Indented(int count, const std::string& text) {
    return std::string(static_cast<std::size_t>(count), ' ') + text;
}

} // namespace varnholt::test

#pragma once

#include "engine/GenerationState.h"

#include <string>
#include <vector>

namespace varnholt::test {

// A request for a manufacturer with the given cuts and step, ready to generate.
GenerationState MakeState(int shallowestCut, int deepestCut, int stepIncrement,
                          const std::string& topMasterKey);

// The cells of one chamber's row, columns 1..ProgressionSteps, joined by blanks ("4 5 6").
std::string Row(const GenerationState& state, int chamber);

// A line of the page: count leading blanks followed by text.
std::string Indented(int count, const std::string& text);

} // namespace varnholt::test

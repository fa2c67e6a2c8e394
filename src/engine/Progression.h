#pragma once

#include "engine/GenerationState.h"

namespace varnholt {

// Empties every cell of the key bitting array.
void ClearProgressionTable(GenerationState& state);

// Fills ProgressionSteps and ProgressionTable from the request: for each chamber, the depths it
// steps through from the top master depth, never the top master depth itself ("-" instead).
// Starts from an empty table, so nothing of an earlier, larger system survives.
// Throws std::invalid_argument for a request the dialog would not have accepted.
void GenerateProgression(GenerationState& state);

} // namespace varnholt

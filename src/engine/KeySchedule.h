#pragma once

#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

namespace varnholt {

// Every key of the system that state describes, after its progression was generated, in the
// order and with the designations, numbers and marks the report lists them; change keys marked
// '*' are kept with `listed` cleared. Reads the request and the key bitting array only.
// Throws std::invalid_argument for a request the dialog never hands over.
KeySchedule ComputeKeySchedule(const GenerationState& state);

} // namespace varnholt

#pragma once

#include "bands/Document.h"
#include "engine/GenerationState.h"
#include "report/ScheduledKey.h"

#include <vector>

namespace varnholt::fuzz {

// What a finished report must hold for any system the dialog accepts: the top master first,
// every key once, each key a child of the key above it that differs only in the chambers of its
// own level, the change keys usable as they are, and the pages showing what was listed.
// Aborts on the first broken property.
void CheckReport(const GenerationState& state, const std::vector<report::ScheduledKey>& keys,
                 const bands::Document& document);

} // namespace varnholt::fuzz

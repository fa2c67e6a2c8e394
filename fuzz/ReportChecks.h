#pragma once

#include "bands/Document.h"
#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

#include <vector>

namespace varnholt::fuzz {

// What a finished report must hold for any system the dialog accepts: the top master first,
// every key once, each key a child of the key above it that differs only in the chambers of its
// own level, the change keys usable as they are, and the pages showing what was listed.
// Aborts on the first broken property.
void CheckReport(const GenerationState& state, const std::vector<ScheduledKey>& keys,
                 const bands::Document& document);

// The keys the report listed are exactly the listed keys of the key schedule, in its order and
// with its designations, numbers, bittings and marks.
void CheckScheduleAgrees(const GenerationState& state, const std::vector<ScheduledKey>& keys);

// Every listed key has its cylinder in the pinning list, each opened by a power of two of
// bittings among which are its own key and the top master.
void CheckPinningList(const GenerationState& state);

} // namespace varnholt::fuzz

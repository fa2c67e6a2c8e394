#pragma once

#include "engine/GenerationState.h"

#include <string_view>

namespace varnholt {

// The dialog only hands over requests that pass these checks. A request that does not is a
// programming error, so each check throws std::invalid_argument instead of letting the engine
// compute nonsense or index outside its tables.

// Chambers is 3..7.
void RequireChamberCount(const KeySystemRequest& request);

// The first Chambers characters of bitting are digits whose depths lie within the
// manufacturer's cuts; name says which key it is in the message.
void RequireBitting(const KeySystemRequest& request, std::string_view bitting, std::string_view name);

// Everything the progression depends on: chambers, cut limits, step and the top master key.
void RequireGenerationRequest(const KeySystemRequest& request);

// An interchangeable core also needs its control key and one control-chamber mark per chamber.
void RequireControlKeyData(const KeySystemRequest& request);

} // namespace varnholt

#pragma once

#include "engine/GenerationState.h"

#include <string>
#include <vector>

namespace varnholt::report {

// The "KBA" page: the key bitting array, then for every column a block with the pins that let
// both the top master key and that column's depths turn each chamber, every line centred on the
// page width; the report puts them into its pinning label.
// Throws std::invalid_argument for a request the dialog would not have accepted.
std::vector<std::string> BuildKbaPage(const GenerationState& system);

} // namespace varnholt::report

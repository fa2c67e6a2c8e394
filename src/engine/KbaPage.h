#pragma once

#include "engine/GenerationState.h"

#include <string>
#include <vector>

namespace varnholt {

// Text that ends a line with a line break; the band that prints the lines decides how to show it.
inline constexpr char LineBreak = '\r';

// The "KBA" page: the key bitting array, then for every column a block with the pins that let
// both the top master key and that column's depths turn each chamber. pageLines is emptied and
// receives the page, every line centred on 90 characters; the report moves them into its
// pinning label. Refreshes TmkCuts and ControlCuts from the keys and starts KeyCuts, KeyMark and
// the pin texts afresh, so that nothing of an earlier system shows; with an interchangeable core
// they end holding the last column's pins.
// Throws std::invalid_argument for a request the dialog would not have accepted.
void BuildKbaPage(GenerationState& state, std::vector<std::string>& pageLines);

} // namespace varnholt

#pragma once

#include "engine/CylinderPinning.h"
#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

#include <string>
#include <vector>

// The lines of the pinning list: fixed columns so that the chambers stand under their numbers.
namespace varnholt::report {

// The column headings: key, number, bitting, the chambers by number, opening bittings and keys,
// and a rule under them.
std::vector<std::string> PinningColumnHeadings(const KeySystemRequest& request);

// One line for a standard cylinder; two for a core (bottom and master pins, then control and top
// pins). name is the key's designation, or the top master's name.
std::vector<std::string> PinningLines(const KeySystemRequest& request, const std::string& name,
                                      const ScheduledKey& key, const CylinderPinning& pinning,
                                      const CylinderExposure& exposure);

// "Typical:" and the medians of the cylinders' opening bittings and system keys, each the
// smallest count that at least half of the cylinders do not exceed. Empty for no cylinders.
std::string TypicalExposureLine(const std::vector<CylinderExposure>& exposures);

// What the signs of the list mean.
std::vector<std::string> PinningKeyLines(const KeySystemRequest& request);

} // namespace varnholt::report

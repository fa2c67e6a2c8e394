#pragma once

#include "systems/SystemFile.h"

#include <string>

namespace varnholt::systems {

// The smallest saved system the file tests write: five chambers, one change key answer.
inline SavedSystem FivePinSavedSystem() {
    SavedSystem saved;
    saved.manufacturer.Name = "Acme 5-pin";
    saved.manufacturer.MinChambers = 5;
    saved.manufacturer.ChamberChoices = 1;
    saved.manufacturer.DeepestCut = 9;
    saved.manufacturer.MaxAdjacentCut = 7;
    saved.manufacturer.StepIncrement = 2;
    saved.answers = {5, "24681", "", 0, 0, 1};
    saved.fingerprint = std::string(64, 'a');
    return saved;
}

} // namespace varnholt::systems

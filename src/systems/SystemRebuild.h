#pragma once

#include "engine/GenerationState.h"
#include "manufacturers/ManufacturerRecord.h"
#include "systems/SavedSystem.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace varnholt::systems {

// A saved system built again and found to print what it printed when it was saved.
struct RebuiltSystem {
    SavedSystem saved; // as it is saved again: with this version's fingerprint
    GenerationState state;
    // What the user is to be told on opening it, if anything: that a file of version 1 had only
    // its key list checked.
    std::optional<std::string> note;
};

// Builds a saved system again from its manufacturer values and answers through the request
// builder, as the "Data Input" dialog would, generates it, and checks it against the saved
// fingerprint. A refusal is the message for the user, naming the file.
std::variant<RebuiltSystem, std::string> RebuildSystem(const SavedSystem& system,
                                                       const std::filesystem::path& file);

// The fingerprint of a generated system with its doors (see KeysAndPinsFingerprint).
std::string FingerprintOf(const GenerationState& state, const std::vector<Door>& doors = {});

// A generated system as it is saved: the manufacturer record it was built from, its answers
// (the counts it came to, a random master as drawn), its doors and its fingerprint. Not yet
// stamped.
SavedSystem CaptureSystem(const manufacturers::ManufacturerRecord& record, const GenerationState& state,
                          report::JobDetails job, std::vector<Door> doors = {});

} // namespace varnholt::systems

#pragma once

#include "engine/GenerationState.h"
#include "manufacturers/ManufacturerRecord.h"
#include "systems/SavedSystem.h"

#include <filesystem>
#include <string>
#include <variant>

namespace varnholt::systems {

// Builds a saved system again from its manufacturer values and answers through the request
// builder, as the "Data Input" dialog would, generates it, and checks its key list against the
// saved fingerprint. A refusal is the message for the user, naming the file.
std::variant<GenerationState, std::string> RebuildSystem(const SavedSystem& system,
                                                         const std::filesystem::path& file);

// The fingerprint of a generated system's key list (see KeyListFingerprint).
std::string FingerprintOf(const GenerationState& state);

// A generated system as it is saved: the manufacturer record it was built from, its answers
// (the counts it came to, a random master as drawn) and its fingerprint. Not yet stamped.
SavedSystem CaptureSystem(const manufacturers::ManufacturerRecord& record, const GenerationState& state,
                          report::JobDetails job);

} // namespace varnholt::systems

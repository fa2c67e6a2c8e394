#pragma once

#include "bands/Document.h"
#include "engine/GenerationState.h"
#include "report/JobDetails.h"
#include "systems/Door.h"

#include <string>
#include <string_view>
#include <vector>

// The reports of a system's doors, for the preview, the printer and the batch command alike.
// Both are laid out on Letter; bands::PlaceOnPaper moves them onto A4 unchanged.
namespace varnholt::report {

// The keying schedule: the keying schematic (the hierarchy with the doors keyed to each key),
// then every door with its pins and the keys its cylinder lets in, then the summary. The doors
// need not have been checked: a door naming keys the system lacks is printed as unusable.
bands::Document KeyingScheduleDocument(const GenerationState& state, const std::vector<systems::Door>& doors,
                                       const JobDetails& job = {},
                                       bands::Recording recording = bands::Recording::Everything);

// The lost-key list, or why there is none.
struct LostKeyPages {
    bands::Document document;
    std::string refusal; // not empty: the designation names no single listed key, and no pages
};

// Every door the key named by designation ("GMK", "A", "AA 1", "AA1", "17") opens, meant to or
// not: the rekeying list after the key is lost.
LostKeyPages LostKeyDocument(const GenerationState& state, const std::vector<systems::Door>& doors,
                             std::string_view designation, const JobDetails& job = {},
                             bands::Recording recording = bands::Recording::Everything);

} // namespace varnholt::report

#pragma once

#include "BatchOptions.h"

#include "bands/Document.h"
#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"
#include "report/JobDetails.h"
#include "systems/Door.h"

#include <string>
#include <vector>

namespace varnholt::tools {

// The door list of --doors, read and checked against the system; a BatchStop when it cannot be
// read (exit 1) or a line of it is refused (exit 2, naming the line).
std::vector<systems::Door> ReadBatchDoors(const std::string& file, const KeySystemRequest& request,
                                          const KeySchedule& schedule);

// The keying schedule (--report doors) or the lost-key list (--lost-key) as comma-separated values.
std::string DoorsCsvText(const BatchOptions& options, const KeySystemRequest& request, const KeySchedule& schedule,
                         const std::vector<systems::Door>& doors);

// The keying schedule (--report doors) or the lost-key list (--lost-key) as pages; a BatchStop
// (exit 2) when --lost-key names no key of the system.
bands::Document DoorsDocument(const BatchOptions& options, const GenerationState& state,
                              const std::vector<systems::Door>& doors, const report::JobDetails& job,
                              bands::Recording recording);

} // namespace varnholt::tools

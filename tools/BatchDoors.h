#pragma once

#include "BatchOptions.h"

#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"
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

} // namespace varnholt::tools

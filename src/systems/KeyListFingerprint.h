#pragma once

#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"
#include "systems/Door.h"

#include <string>
#include <vector>

namespace varnholt::systems {

// The SHA-256 of a system's key list: its listed keys in order, each as the line
// "LEVEL<TAB>DESIGNATION<TAB>NUMBER<TAB>BITTING<TAB>MARK<LF>" (LEVEL one of "top master",
// "master", "sub-master", "change key"; NUMBER 0 for keys that are not change keys; MARK a blank
// or '*'), so that two programs agree on it exactly when they list the same keys. 64 lower-case
// hexadecimal digits. The fingerprint of system files of version 1.
std::string KeyListFingerprint(const KeySchedule& schedule);

// The SHA-256 of everything the printout is built from: the line "control key<TAB>BITTING<LF>"
// (BITTING empty without an interchangeable core), then each listed key's line as above with
// "<TAB>PINS" before its line end. PINS gives each chamber, chamber 1 first and ';' between
// them, as "BOTTOM,MASTER,CONTROL,TOP" in depth units (0 for a pin the chamber has not), with '*'
// after a chamber that cannot be pinned; "-" for a key that cannot be formed. So the control
// key, the control chambers, the factor, the stack total and the depths are covered wherever
// they change a pin. Then each door, in order, contributes the line
// "door<TAB>NUMBER<TAB>LOCATION<TAB>CYLINDERS<TAB>KEYED TO<TAB>NOTES<TAB>PINS<LF>" with LOCATION
// and NOTES as JSON string literals (they may hold tabs and line breaks), KEYED TO the targets as
// DoorTargetsText writes them, and PINS its cylinder: chambers separated by ';', each its bottom
// pin followed by "/" and each master pin, then for a core ",CONTROL,TOP", with '*' after a
// chamber that cannot be pinned; "-" for a cylinder that cannot be formed. Without doors the
// fingerprint is that of system files of version 2. The doors' targets must be listed keys of
// the system (see DoorKeyingProblem); a door naming another is taken as keyed to the rest.
std::string KeysAndPinsFingerprint(const KeySystemRequest& request, const KeySchedule& schedule,
                                   const std::vector<Door>& doors = {});

} // namespace varnholt::systems

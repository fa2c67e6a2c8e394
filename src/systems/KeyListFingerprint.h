#pragma once

#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

#include <string>

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
// they change a pin.
std::string KeysAndPinsFingerprint(const KeySystemRequest& request, const KeySchedule& schedule);

} // namespace varnholt::systems

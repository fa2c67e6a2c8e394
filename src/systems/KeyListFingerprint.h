#pragma once

#include "engine/ScheduledKey.h"

#include <string>

namespace varnholt::systems {

// The SHA-256 of a system's key list: its listed keys in order, each as the line
// "LEVEL<TAB>DESIGNATION<TAB>NUMBER<TAB>BITTING<TAB>MARK<LF>" (LEVEL one of "top master",
// "master", "sub-master", "change key"; NUMBER 0 for keys that are not change keys; MARK a blank
// or '*'), so that two programs agree on it exactly when they list the same keys. 64 lower-case
// hexadecimal digits.
std::string KeyListFingerprint(const KeySchedule& schedule);

} // namespace varnholt::systems

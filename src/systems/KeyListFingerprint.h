#pragma once

#include "engine/ScheduledKey.h"
#include "systems/Sha256.h"

#include <string>

namespace varnholt::systems {

// The SHA-256 of a system's key list, fed the listed keys in order. Each key counts as the line
// "LEVEL<TAB>DESIGNATION<TAB>NUMBER<TAB>BITTING<TAB>MARK<LF>" (LEVEL one of "top master",
// "master", "sub-master", "change key"; NUMBER 0 for keys that are not change keys; MARK a blank
// or '*'), so that two programs agree on it exactly when they list the same keys.
class KeyListFingerprint {
public:
    void Add(const ScheduledKey& key);
    // 64 lower-case hexadecimal digits.
    std::string Finish();

private:
    Sha256 hash;
};

} // namespace varnholt::systems

#include "systems/KeyListFingerprint.h"

#include "systems/Sha256.h"

namespace varnholt::systems {

std::string KeyListFingerprint(const KeySchedule& schedule) {
    Sha256 hash;
    std::string line;
    for (const ScheduledKey& key : schedule) {
        if (!key.listed)
            continue;
        line = KeyLevelName(key.level);
        line += '\t';
        line += key.designation;
        line += '\t';
        line += std::to_string(key.changeKeyNumber);
        line += '\t';
        line += key.bitting;
        line += '\t';
        line += key.mark;
        line += '\n';
        hash.Add(line);
    }
    return Sha256::Hex(hash.Finish());
}

} // namespace varnholt::systems

#include "systems/KeyListFingerprint.h"

#include "systems/Sha256.h"

namespace varnholt::systems {

namespace {

std::string_view LevelName(KeyLevel level) {
    switch (level) {
    case KeyLevel::TopMaster:
        return "top master";
    case KeyLevel::Master:
        return "master";
    case KeyLevel::SubMaster:
        return "sub-master";
    case KeyLevel::ChangeKey:
        return "change key";
    }
    return "";
}

} // namespace

std::string KeyListFingerprint(const KeySchedule& schedule) {
    Sha256 hash;
    std::string line;
    for (const ScheduledKey& key : schedule) {
        if (!key.listed)
            continue;
        line = LevelName(key.level);
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

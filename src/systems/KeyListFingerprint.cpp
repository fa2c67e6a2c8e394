#include "systems/KeyListFingerprint.h"

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

void KeyListFingerprint::Add(const ScheduledKey& key) {
    std::string line(LevelName(key.level));
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

std::string KeyListFingerprint::Finish() {
    return Sha256::Hex(hash.Finish());
}

} // namespace varnholt::systems

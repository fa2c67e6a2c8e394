#include "systems/KeyListFingerprint.h"

namespace varnholt::systems {

namespace {

std::string_view LevelName(report::KeyLevel level) {
    switch (level) {
    case report::KeyLevel::TopMaster:
        return "top master";
    case report::KeyLevel::Master:
        return "master";
    case report::KeyLevel::SubMaster:
        return "sub-master";
    case report::KeyLevel::ChangeKey:
        return "change key";
    }
    return "";
}

} // namespace

void KeyListFingerprint::Add(const report::ScheduledKey& key) {
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

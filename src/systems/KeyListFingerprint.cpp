#include "systems/KeyListFingerprint.h"

#include "engine/CylinderPinning.h"
#include "engine/DoorCylinder.h"
#include "systems/JsonValue.h"
#include "systems/Sha256.h"

#include <array>
#include <charconv>

namespace varnholt::systems {

namespace {

// The key's line without its line end.
void AppendKeyFields(std::string& line, const ScheduledKey& key) {
    line += KeyLevelName(key.level);
    line += '\t';
    line += key.designation;
    line += '\t';
    line += std::to_string(key.changeKeyNumber);
    line += '\t';
    line += key.bitting;
    line += '\t';
    line += key.mark;
}

void AppendNumber(std::string& text, int value) {
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    text.append(digits, end);
}

// A chamber's pins depend on its cut alone: each chamber's text for each digit is made once,
// since the largest system has close to 300,000 cylinders.
class PinTexts {
public:
    explicit PinTexts(const KeySystemRequest& request) : pinner(request), chambers(request.Chambers) {
        for (int chamber = 0; chamber < chambers; ++chamber)
            for (char digit = '0'; digit <= '9'; ++digit) {
                const ChamberPinning pins = pinner.PinChamber(chamber + 1, digit);
                std::string& text =
                    texts[static_cast<std::size_t>(chamber)][static_cast<std::size_t>(digit - '0')];
                AppendNumber(text, pins.bottomPin);
                text += ',';
                AppendNumber(text, pins.masterPin);
                text += ',';
                AppendNumber(text, pins.controlPin);
                text += ',';
                AppendNumber(text, pins.topPin);
                if (!pins.pinnable)
                    text += '*';
            }
    }

    void Append(std::string& line, std::string_view bitting) const {
        const auto formed = [&](int chamber) {
            const auto at = static_cast<std::size_t>(chamber);
            return at < bitting.size() && bitting[at] >= '0' && bitting[at] <= '9';
        };
        for (int chamber = 0; chamber < chambers; ++chamber)
            if (!formed(chamber)) {
                line += '-';
                return;
            }
        for (int chamber = 0; chamber < chambers; ++chamber) {
            if (chamber > 0)
                line += ';';
            line += texts[static_cast<std::size_t>(chamber)]
                         [static_cast<std::size_t>(bitting[static_cast<std::size_t>(chamber)] - '0')];
        }
    }

private:
    CylinderPinner pinner;
    int chambers;
    std::array<std::array<std::string, 10>, MaxChambers> texts;
};

void AppendDoorPins(std::string& line, const DoorCylinder& cylinder, int chambers) {
    if (!cylinder.formed) {
        line += '-';
        return;
    }
    for (int chamber = 0; chamber < chambers; ++chamber) {
        const DoorChamber& pins = cylinder.chambers[static_cast<std::size_t>(chamber)];
        if (chamber > 0)
            line += ';';
        AppendNumber(line, pins.bottomPin);
        for (const int pin : pins.masterPins) {
            line += '/';
            AppendNumber(line, pin);
        }
        if (cylinder.core) {
            line += ',';
            AppendNumber(line, pins.controlPin);
            line += ',';
            AppendNumber(line, pins.topPin);
        }
        if (!pins.pinnable)
            line += '*';
    }
}

} // namespace

std::string KeyListFingerprint(const KeySchedule& schedule) {
    Sha256 hash;
    std::string line;
    for (const ScheduledKey& key : schedule) {
        if (!key.listed)
            continue;
        line.clear();
        AppendKeyFields(line, key);
        line += '\n';
        hash.Add(line);
    }
    return Sha256::Hex(hash.Finish());
}

std::string KeysAndPinsFingerprint(const KeySystemRequest& request, const KeySchedule& schedule,
                                   const std::vector<Door>& doors) {
    Sha256 hash;
    std::string line = "control key\t";
    if (request.IsICore)
        line += request.ControlKey.substr(0, static_cast<std::size_t>(request.Chambers));
    line += '\n';
    hash.Add(line);
    const PinTexts pins(request);
    for (const ScheduledKey& key : schedule) {
        if (!key.listed)
            continue;
        line.clear();
        AppendKeyFields(line, key);
        line += '\t';
        pins.Append(line, key.bitting);
        line += '\n';
        hash.Add(line);
    }
    if (doors.empty())
        return Sha256::Hex(hash.Finish());
    const KeyDirectory keys(schedule, request.MasterCount > 0);
    const DoorChecker checker(request, schedule);
    std::vector<std::size_t> targets;
    for (const Door& door : doors) {
        targets.clear();
        for (const DoorTarget& target : door.targets) {
            const std::vector<std::size_t> found = keys.Resolve(target);
            targets.insert(targets.end(), found.begin(), found.end());
        }
        line = "door\t";
        line += door.number;
        line += '\t';
        line += QuoteJson(door.location);
        line += '\t';
        AppendNumber(line, door.cylinders);
        line += '\t';
        line += DoorTargetsText(door.targets);
        line += '\t';
        line += QuoteJson(door.notes);
        line += '\t';
        AppendDoorPins(line, checker.Pin(targets), request.Chambers);
        line += '\n';
        hash.Add(line);
    }
    return Sha256::Hex(hash.Finish());
}

} // namespace varnholt::systems

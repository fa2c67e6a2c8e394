#include "systems/KeyListFingerprint.h"

#include "engine/CylinderPinning.h"
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

std::string KeysAndPinsFingerprint(const KeySystemRequest& request, const KeySchedule& schedule) {
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
    return Sha256::Hex(hash.Finish());
}

} // namespace varnholt::systems

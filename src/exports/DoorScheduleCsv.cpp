#include "exports/DoorScheduleCsv.h"

#include "exports/CsvText.h"

namespace varnholt::exports {

namespace {

std::string PinOrNone(int pin) {
    return pin == 0 ? "-" : std::to_string(pin);
}

std::string PinsText(const DoorCylinder& cylinder, int chambers) {
    std::string text;
    if (!cylinder.formed)
        return text;
    for (int chamber = 0; chamber < chambers; ++chamber) {
        const DoorChamber& pins = cylinder.chambers[static_cast<std::size_t>(chamber)];
        if (chamber > 0)
            text += ' ';
        text += std::to_string(pins.bottomPin);
        if (cylinder.core) {
            text += '/' + PinOrNone(pins.masterPins.empty() ? 0 : pins.masterPins.front());
            text += '/' + PinOrNone(pins.controlPin);
            text += '/' + PinOrNone(pins.topPin);
            continue;
        }
        for (const int pin : pins.masterPins)
            text += '/' + std::to_string(pin);
    }
    return text;
}

std::string Designations(const systems::KeyDirectory& keys, const std::vector<std::size_t>& indices) {
    std::string text;
    for (const std::size_t index : indices)
        text += (text.empty() ? "" : "; ") + keys.Designation(index);
    return text;
}

} // namespace

std::string KeyingScheduleCsvText(const std::vector<systems::Door>& doors, const systems::DoorSchedule& checked,
                                  int chambers) {
    std::string text;
    AppendCsvRow(text, {"Door", "Location", "Cylinders", "Keyed To", "Operated By", "Pins", "Opens", "System Keys",
                        "Unintended Keys", "Usable"});
    for (std::size_t index = 0; index < doors.size(); ++index) {
        const systems::Door& door = doors[index];
        const systems::CheckedDoor& result = checked.Doors()[index];
        const DoorVerdict& verdict = result.verdict;
        const bool usable = verdict.Usable() && result.unknownTargets.empty();
        AppendCsvRow(text, {door.number, door.location, std::to_string(door.cylinders),
                            systems::DoorTargetsText(door.targets), Designations(checked.Keys(), verdict.operatedBy),
                            PinsText(verdict.cylinder, chambers), std::to_string(verdict.opens),
                            std::to_string(verdict.systemKeys), Designations(checked.Keys(), verdict.unintended),
                            usable ? "yes" : "no"});
    }
    return text;
}

std::string LostKeyCsvText(const std::vector<systems::Door>& doors, const systems::DoorSchedule& checked,
                           std::size_t key) {
    std::string text;
    AppendCsvRow(text, {"Door", "Location", "How"});
    for (const systems::LostKeyDoor& opened : checked.LostKey(key))
        AppendCsvRow(text, {doors[opened.door].number, doors[opened.door].location,
                            opened.intended ? "intended" : "unintended"});
    return text;
}

} // namespace varnholt::exports

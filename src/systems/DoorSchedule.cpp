#include "systems/DoorSchedule.h"

#include <algorithm>
#include <map>

namespace varnholt::systems {

DoorSchedule::DoorSchedule(const KeySystemRequest& request, const KeySchedule& keySchedule,
                           const std::vector<Door>& doors)
    : schedule(keySchedule), keys(keySchedule, request.MasterCount > 0), checker(request, keySchedule) {
    checked.reserve(doors.size());
    for (const Door& door : doors) {
        CheckedDoor& result = checked.emplace_back();
        for (const DoorTarget& target : door.targets) {
            const std::vector<std::size_t> found = keys.Resolve(target);
            if (found.empty())
                result.unknownTargets.push_back(DoorTargetText(target));
            result.targets.insert(result.targets.end(), found.begin(), found.end());
        }
        std::sort(result.targets.begin(), result.targets.end());
        result.targets.erase(std::unique(result.targets.begin(), result.targets.end()), result.targets.end());
        result.verdict = checker.Check(result.targets);
    }
}

std::vector<std::size_t> DoorSchedule::UnusedKeys() const {
    std::vector<bool> used(schedule.size(), false);
    for (const CheckedDoor& door : checked)
        for (const std::size_t key : door.verdict.operatedBy)
            used[key] = true;
    std::vector<std::size_t> unused;
    for (std::size_t index = 0; index < schedule.size(); ++index)
        if (schedule[index].listed && !used[index])
            unused.push_back(index);
    return unused;
}

std::vector<std::vector<std::size_t>> DoorSchedule::KeyedAlike() const {
    // Cylinders that pass the same cuts in every chamber take the same keys; in a core the key's
    // and the top master's cuts fix the control and top pins as well.
    std::map<std::vector<std::uint16_t>, std::vector<std::size_t>> byCuts;
    for (std::size_t index = 0; index < checked.size(); ++index) {
        const DoorCylinder& cylinder = checked[index].verdict.cylinder;
        if (!cylinder.formed)
            continue;
        std::vector<std::uint16_t> cuts;
        for (const DoorChamber& chamber : cylinder.chambers)
            cuts.push_back(chamber.cuts);
        byCuts[cuts].push_back(index);
    }
    std::vector<std::vector<std::size_t>> groups;
    for (auto& [cuts, doors] : byCuts)
        if (doors.size() > 1)
            groups.push_back(std::move(doors));
    std::sort(groups.begin(), groups.end());
    return groups;
}

std::vector<LostKeyDoor> DoorSchedule::LostKey(std::size_t key) const {
    std::vector<LostKeyDoor> doors;
    const std::string& bitting = schedule.at(key).bitting;
    for (std::size_t index = 0; index < checked.size(); ++index) {
        const DoorVerdict& verdict = checked[index].verdict;
        if (!checker.Admits(verdict.cylinder, bitting))
            continue;
        const bool intended = std::binary_search(verdict.operatedBy.begin(), verdict.operatedBy.end(), key);
        doors.push_back({index, intended});
    }
    return doors;
}

std::string DoorProblemText(const CheckedDoor& door, const KeyDirectory& keys) {
    if (!door.unknownTargets.empty()) {
        std::string names;
        for (const std::string& target : door.unknownTargets)
            names += (names.empty() ? "" : ", ") + target;
        return (door.unknownTargets.size() == 1 ? "There is no key " : "There are no keys ") + names +
               " in this system.";
    }
    const DoorVerdict& verdict = door.verdict;
    switch (verdict.problem) {
    case DoorProblem::NoKeys:
        return "The door is keyed to no key.";
    case DoorProblem::SeveralKeysOnCore:
        return "An interchangeable core is keyed to one key only: a core for several keys needs a "
               "control shear line of its own, which this program does not calculate.";
    case DoorProblem::KeyNotFormed:
        for (const std::size_t key : verdict.operatedBy)
            if (keys.Schedule()[key].bitting.View().find('-') != std::string::npos)
                return "Key " + keys.Designation(key) + " cannot be formed, so no cylinder opens to it.";
        return "A key of this door cannot be formed.";
    case DoorProblem::None:
        break;
    }
    if (!verdict.unusableChambers.empty()) {
        std::string chambers;
        for (const int chamber : verdict.unusableChambers)
            chambers += (chambers.empty() ? "" : ", ") + std::to_string(chamber);
        return (verdict.unusableChambers.size() == 1 ? "Chamber " : "Chambers ") + chambers +
               " would need a pin thinner than one step.";
    }
    return {};
}

} // namespace varnholt::systems

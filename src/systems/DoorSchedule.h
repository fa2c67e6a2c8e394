#pragma once

#include "engine/DoorCylinder.h"
#include "systems/Door.h"

#include <cstddef>
#include <string>
#include <vector>

namespace varnholt::systems {

// One door checked against its system.
struct CheckedDoor {
    std::vector<std::size_t> targets;       // schedule indices of the keys it is keyed to
    std::vector<std::string> unknownTargets; // targets as given that name no listed key
    DoorVerdict verdict;
};

// A door a lost key opens, and whether it is meant to.
struct LostKeyDoor {
    std::size_t door = 0;
    bool intended = false;
};

// The doors of a system, each checked: what its cylinder lets in, which keys no door uses, which
// doors are keyed alike, and what a lost key opens.
class DoorSchedule {
public:
    // request and schedule must outlive the schedule of doors.
    DoorSchedule(const KeySystemRequest& request, const KeySchedule& schedule, const std::vector<Door>& doors);

    const KeyDirectory& Keys() const { return keys; }
    const DoorChecker& Checker() const { return checker; }
    const std::vector<CheckedDoor>& Doors() const { return checked; }

    // Listed keys meant to open no door: the reserve for later doors, in key-list order.
    std::vector<std::size_t> UnusedKeys() const;
    // Groups of two or more doors whose cylinders take the same keys, by door index.
    std::vector<std::vector<std::size_t>> KeyedAlike() const;
    // Every door the key of this schedule index opens, in door order.
    std::vector<LostKeyDoor> LostKey(std::size_t key) const;

private:
    const KeySchedule& schedule;
    KeyDirectory keys;
    DoorChecker checker;
    std::vector<CheckedDoor> checked;
};

// What is wrong with a checked door, in words for the user; empty for a usable door.
std::string DoorProblemText(const CheckedDoor& door, const KeyDirectory& keys);

} // namespace varnholt::systems

#pragma once

#include "engine/CylinderPinning.h"
#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace varnholt {

// The pins of one chamber of a door's cylinder, in depth units: a shear line at every distinct
// cut of the keys meant to open it.
struct DoorChamber {
    std::uint16_t cuts = 0;      // bit d: a key cut written d passes this chamber
    int bottomPin = 0;
    std::vector<int> masterPins; // from the bottom up; empty: none
    int controlPin = 0;          // interchangeable core only; 0: none
    int topPin = 0;              // interchangeable core only; 0: none
    bool pinnable = true;        // false where a pin would be thinner than one step
};

struct DoorCylinder {
    std::array<DoorChamber, MaxChambers> chambers{}; // chamber 1 first
    bool core = false;
    bool formed = true; // false when a key meant to open it cannot be formed
};

enum class DoorProblem : std::uint8_t {
    None,
    NoKeys,            // no target given
    SeveralKeysOnCore, // a core answers to one key only: its control shear line is pinned for one
    KeyNotFormed,      // a key meant to open it cannot be formed (its bitting is "-")
};

// What a door's cylinder lets in.
struct DoorVerdict {
    DoorProblem problem = DoorProblem::None;
    DoorCylinder cylinder;
    std::vector<std::size_t> operatedBy; // schedule indices of the keys meant to open it, key-list order
    std::int64_t opens = 0;              // bittings that turn the plug
    std::int64_t systemKeys = 0;         // of those, bittings of listed keys
    std::vector<std::size_t> unintended; // listed keys that open it although not meant to, key-list order
    std::vector<int> unusableChambers;   // chambers (1..) with a pin thinner than one step

    bool Usable() const { return problem == DoorProblem::None && unusableChambers.empty(); }
};

// Pins door cylinders of one system and finds the listed keys each lets in. A door keyed to one
// key is that key's cylinder of the pinning list; several keys need a shear line at each of
// their cuts, and every other listed key cut to those shear lines opens it too.
class DoorChecker {
public:
    DoorChecker(const KeySystemRequest& request, const KeySchedule& schedule);

    // targets: schedule indices of the listed keys the door is keyed to. The keys meant to open
    // it are those and every key above each of them.
    DoorVerdict Check(const std::vector<std::size_t>& targets) const;
    // The cylinder alone, without the search for the keys it lets in.
    DoorCylinder Pin(const std::vector<std::size_t>& targets) const;

    // Whether a key of this bitting turns the plug of the cylinder.
    bool Admits(const DoorCylinder& cylinder, std::string_view bitting) const;

private:
    DoorVerdict Pinned(const std::vector<std::size_t>& targets) const;
    void PinStandard(DoorVerdict& verdict) const;
    void PinCore(DoorVerdict& verdict, std::size_t key) const;
    void FindSystemKeys(DoorVerdict& verdict) const;

    const KeySystemRequest& request;
    const KeySchedule& schedule;
    CylinderPinner pinner;
    // Every listed, formed key by its bitting read as a number: (number, schedule index), sorted.
    std::vector<std::pair<std::int64_t, std::size_t>> listedByNumber;
};

} // namespace varnholt

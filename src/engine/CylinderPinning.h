#pragma once

#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace varnholt {

// The pins of one chamber of a cylinder keyed to a key and every key above it, in depth units.
struct ChamberPinning {
    int cut = 0;          // the key's cut as written ("0" is depth 10 where ZeroIsTen)
    int topMasterCut = 0; // the top master's cut as written
    int bottomPin = 0;
    int masterPin = 0;    // 0: no master pin
    int controlPin = 0;   // interchangeable core only; 0: none
    int topPin = 0;       // interchangeable core only; 0: none
    bool pinnable = true; // false where a core's control or master pin would be thinner than a step
};

// One cylinder: chambers [0..Chambers-1], chamber 1 first.
struct CylinderPinning {
    std::array<ChamberPinning, MaxChambers> chambers{};
    bool formed = true; // false for a key that cannot be formed (a bitting of "-")
    bool Pinnable(int chamberCount) const;
};

// How many bittings turn a cylinder's plug and how many of those are keys of the system.
struct CylinderExposure {
    std::int64_t openingBittings = 0;
    std::int64_t systemKeys = 0;
};

// Pins cylinders for the keys of one system. Each chamber has two shear lines, at the key's
// cut and at the top master's, since every key between them in the hierarchy cuts that
// chamber like one or the other; a core adds its control shear line, which only releases the
// core. The pins are those of the key bitting array's blocks, with the key's cut as the column.
class CylinderPinner {
public:
    explicit CylinderPinner(const KeySystemRequest& request);

    ChamberPinning PinChamber(int chamber, char cut) const;
    CylinderPinning Pin(std::string_view bitting) const;

private:
    const KeySystemRequest& request;
};

// Counts the bittings that open a cylinder and looks each one up among the listed keys of the
// schedule.
class ExposureCounter {
public:
    ExposureCounter(const KeySystemRequest& request, const KeySchedule& schedule);

    CylinderExposure Exposure(std::string_view bitting) const;

private:
    static std::int64_t NumberOf(std::string_view bitting);

    const KeySystemRequest& request;
    std::vector<bool> listed; // by the bitting read as a number
};

} // namespace varnholt

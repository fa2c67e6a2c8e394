#pragma once

#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

#include <cstddef>
#include <string>

// A small system worked out by hand for the door tests: five chambers, two masters, and keys
// whose cuts make cross-keyed doors let in other families.
namespace varnholt::testing {

inline KeySystemRequest FiveChambers() {
    KeySystemRequest request;
    request.MfgName = "BRANDT";
    request.Chambers = 5;
    request.ShallowestCut = 0;
    request.DeepestCut = 9;
    request.StepIncrement = 1;
    request.MaxAdjacentCut = 9;
    request.TopMasterKey = "55555";
    request.ControlChambers = "NNNNNNN";
    request.MasterCount = 2;
    request.SubMasterCount = 2;
    request.ChangeKeyCount = 2;
    request.ChamberRoles = "MSRRR";
    return request;
}

inline ScheduledKey HandKey(KeyLevel level, std::string designation, std::string bitting, KeyIndex master = NoKey,
                            KeyIndex subMaster = NoKey, int number = 0) {
    ScheduledKey key;
    key.level = level;
    key.designation = designation;
    key.bitting = bitting;
    key.master = master;
    key.subMaster = subMaster;
    key.changeKeyNumber = number;
    return key;
}

// Two masters; AB and BA share their sub-master cut, so that BA's family reaches AB's.
inline KeySchedule HandSchedule() {
    using enum KeyLevel;
    return {HandKey(TopMaster, "", "55555"),          HandKey(Master, "A", "35555"),
            HandKey(SubMaster, "AA", "33555", 1),     HandKey(SubMaster, "AB", "37555", 1),
            HandKey(Master, "B", "75555"),            HandKey(SubMaster, "BA", "77555", 4),
            HandKey(ChangeKey, "AA", "33355", 1, 2, 1), HandKey(ChangeKey, "AA", "33375", 1, 2, 2),
            HandKey(ChangeKey, "AB", "37355", 1, 3, 1), HandKey(ChangeKey, "AB", "37375", 1, 3, 2),
            HandKey(ChangeKey, "BA", "77355", 4, 5, 1)};
}

} // namespace varnholt::testing

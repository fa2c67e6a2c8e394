#pragma once

#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

#include <cstdint>
#include <string>
#include <vector>

namespace varnholt {

// Change keys of a whole system: so many under each key of the lowest master level.
std::int64_t ChangeKeysInAll(std::int64_t masters, std::int64_t subMastersPerMaster, std::int64_t perKey);

// Why the marked keys of one level carry '*'; a key may count under several reasons.
struct MarkReasons {
    std::int64_t notFormed = 0;         // a chamber has no depth left in its column
    std::int64_t adjacentCuts = 0;      // M.A.C.S
    std::int64_t controlKeyClash = 0;   // a control chamber cut within a step of the control shear line
    std::int64_t cannotBePinned = 0;    // a pin of its core cylinder would be thinner than a step
    std::int64_t isControlKey = 0;      // the bitting is the control key's
    std::int64_t otherControlKey = 0;   // the control key leaves the control chambers as the top master
};

struct LevelCount {
    std::int64_t asked = 0;
    std::int64_t formed = 0; // composed, marked ones included
    std::int64_t listed = 0;
    std::int64_t marked = 0; // listed with '*' (masters, sub-masters) or left out (change keys)
    MarkReasons why;
};

// A master or sub-master that carries '*', and how many of its change keys are listed.
struct MarkedKey {
    KeyLevel level = KeyLevel::Master;
    std::string designation;
    std::string bitting;
    std::string reasons;            // in words, e.g. "cannot be pinned in chamber 2"
    std::int64_t changeKeysListed = 0;
};

struct KeyCounts {
    LevelCount masters;
    LevelCount subMasters;
    LevelCount changeKeys;
    std::vector<MarkedKey> markedKeys;
    KeyLevel lowestLevel = KeyLevel::TopMaster; // the level the change keys are listed under
    std::int64_t lowestKeys = 0;             // its keys
    std::int64_t lowestKeysShortOfKeys = 0;  // of those, the ones with fewer change keys than asked
};

// What the schedule of the system made of the request, with the reasons of every mark given by
// the one rule that set it (CheckComposedKey).
KeyCounts CountKeys(const KeySystemRequest& request, const KeySchedule& schedule);

} // namespace varnholt

#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt {

enum class KeyLevel : std::uint8_t { TopMaster, Master, SubMaster, ChangeKey };

// "top master", "master", "sub-master" or "change key": as the CSV and the fingerprint write it.
std::string_view KeyLevelName(KeyLevel level);

// Where a key has no master or sub-master above it.
inline constexpr std::size_t NoKey = std::numeric_limits<std::size_t>::max();

// One key of a system as the report composes it.
struct ScheduledKey {
    // Small fields first: the largest system has close to 300,000 of these.
    KeyLevel level = KeyLevel::ChangeKey;
    char mark = ' ';               // '*' for a key that cannot be used as it is
    bool listed = true;            // change keys marked '*' are composed but left out of the lists
    int changeKeyNumber = 0;       // 0 for keys that are not listed change keys
    std::string designation;       // master and sub-master letters; empty for the top master
    std::string bitting;           // Chambers digits, or as many "-" for a key that cannot be formed
    std::size_t master = NoKey;    // the schedule's index of the master this key stands under
    std::size_t subMaster = NoKey; // the schedule's index of the sub-master this key stands under
};

// Every key of a system in the order the report lists it: the top master, the masters each
// followed by its sub-masters, then the change keys key by key of the lowest master level.
using KeySchedule = std::vector<ScheduledKey>;

} // namespace varnholt

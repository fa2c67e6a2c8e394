#pragma once

#include "engine/ScheduledKey.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnholt::systems {

// What a door's cylinder answers to, as the key lists name keys: "GMK" for the top master, a
// master or sub-master by its letters ("A", "AA"), a change key by its key's letters and number
// ("AA 1"; in a system without masters the number alone), or "X *" for every listed key under X.
struct DoorTarget {
    std::string letters; // "GMK", a master's or a sub-master's letters; empty: a change key of the top master
    int changeKeyNumber = 0; // 0: the key of the letters itself
    bool everyKeyUnder = false;

    bool operator==(const DoorTarget&) const = default;
};

inline constexpr int MinCylinders = 1;
inline constexpr int MaxCylinders = 999;
inline constexpr std::size_t MaxDoorNumberLength = 20; // characters
// Far beyond any building; they bound what a hostile file or list can make the program hold.
inline constexpr std::size_t MaxLocationLength = 200;  // characters
inline constexpr std::size_t MaxNotesLength = 2000;    // characters
inline constexpr std::size_t MaxTargetsPerDoor = 100;
inline constexpr std::size_t MaxDoors = 10000;

struct Door {
    std::string number; // unique in its system, 1..20 characters
    std::string location;
    int cylinders = 1;
    std::string notes;
    std::vector<DoorTarget> targets;

    bool operator==(const Door&) const = default;
};

// A target from its text: blanks around and between its parts do not matter, nor does case
// ("aa1" is "AA 1"). A text that names no key in this form gives nothing.
std::optional<DoorTarget> ParseDoorTarget(std::string_view text);

// The target as the key lists print it: "GMK", "AA", "AA 1", "17", "AA *".
std::string DoorTargetText(const DoorTarget& target);

// Targets separated by ';' ("AA 1; AB 2"); empty pieces are skipped. On a piece that is no
// target, its text is returned as the failure.
struct ParsedTargets {
    std::vector<DoorTarget> targets;
    std::optional<std::string> unreadable;
};
ParsedTargets ParseDoorTargets(std::string_view text);

// The normalised targets with "; " between them.
std::string DoorTargetsText(const std::vector<DoorTarget>& targets);

// The listed keys of one system by the names doors give them.
class KeyDirectory {
public:
    KeyDirectory(const KeySchedule& schedule, bool hasMasters);

    // The schedule indices of the listed keys a target stands for, in key-list order ("X *": X
    // and every listed key under it); nothing when the system has no such key.
    std::vector<std::size_t> Resolve(const DoorTarget& target) const;

    // The designation of a listed key as a target names it: "GMK", "A", "AA", "AA 1", "17".
    std::string Designation(std::size_t index) const;

    const KeySchedule& Schedule() const { return schedule; }

private:
    std::optional<std::size_t> KeyOfLetters(const std::string& letters) const;

    const KeySchedule& schedule;
    bool hasMasters;
    std::map<std::string, std::size_t, std::less<>> byLetters;         // masters and sub-masters
    std::map<std::pair<std::size_t, int>, std::size_t> changeKeys;    // (key above, number)
};

// What makes a door no door of any system, said of it ("its number is empty"): a number that
// is empty, longer than 20 characters or more than one line; a location or notes too long or
// holding control characters other than line breaks and tabs; a cylinder count outside 1..999;
// no target or more than 100. Nothing for a door of good form.
std::optional<std::string> DoorFormProblem(const Door& door);

// What makes a door of good form no door of this system, said of it: a target the system does not
// list, or several keys on an interchangeable core. Nothing when its cylinder can be keyed.
std::optional<std::string> DoorKeyingProblem(const Door& door, const KeyDirectory& keys,
                                             bool interchangeableCore);

// The schedule index of the key a change key stands under: its sub-master, its master, or the top
// master.
std::size_t KeyAbove(const ScheduledKey& key);

} // namespace varnholt::systems

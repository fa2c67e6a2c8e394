#pragma once

#include "engine/ScheduledKey.h"

namespace varnholt::report {

// Reads a key schedule in the order the report's bands list it: the masters, the sub-masters of
// the master in hand, and the change keys of the key in hand of the lowest master level (the
// sub-master, else the master, else the top master). Every pass starts again at the first master.
class KeyCursor {
public:
    // The schedule is never empty: the top master leads it.
    explicit KeyCursor(const KeySchedule& keys) : schedule(keys) {}

    const ScheduledKey& Top() const { return schedule.front(); }

    void StartMasters();
    // The next master, or nullptr when every one was had (always for a system without masters).
    const ScheduledKey* NextMaster();
    bool MoreMasters() const;

    void StartSubMasters();
    const ScheduledKey* NextSubMaster();
    bool MoreSubMasters() const;

    // The change keys of the key in hand, those that cannot be used included. Asked for each of
    // up to 300,000 keys, so they are read here in the header.
    void StartChangeKeys();
    const ScheduledKey* NextChangeKey() {
        if (!MoreChangeKeys())
            return nullptr;
        return &schedule[nextChangeKey++];
    }
    bool MoreChangeKeys() const {
        if (!IsLevel(nextChangeKey, KeyLevel::ChangeKey))
            return false;
        const ScheduledKey& key = schedule[nextChangeKey];
        return (key.subMaster != NoKey ? key.subMaster : key.master) == LowestKey();
    }

private:
    bool IsLevel(std::size_t index, KeyLevel level) const {
        return index < schedule.size() && schedule[index].level == level;
    }
    std::size_t LowestKey() const { return subMaster != NoKey ? subMaster : master; }

    const KeySchedule& schedule;
    std::size_t nextMaster = 1;        // where the search for the next master begins
    std::size_t master = NoKey;        // the master in hand
    std::size_t subMaster = NoKey;     // the sub-master in hand
    std::size_t nextSubMaster = NoKey; // the index after the sub-master in hand
    std::size_t nextChangeKey = 0;     // the first change key not yet had, over the whole pass
};

} // namespace varnholt::report

#include "report/KeyCursor.h"

namespace varnholt::report {

void KeyCursor::StartMasters() {
    // The top master leads the schedule; the masters, each with its sub-masters, follow it, and
    // the change keys come last.
    nextMaster = 1;
    master = NoKey;
    subMaster = NoKey;
    nextSubMaster = NoKey;
    nextChangeKey = 1;
    while (nextChangeKey < schedule.size() && schedule[nextChangeKey].level != KeyLevel::ChangeKey)
        ++nextChangeKey;
}

bool KeyCursor::MoreMasters() const {
    std::size_t index = nextMaster;
    while (IsLevel(index, KeyLevel::SubMaster))
        ++index;
    return IsLevel(index, KeyLevel::Master);
}

const ScheduledKey* KeyCursor::NextMaster() {
    while (IsLevel(nextMaster, KeyLevel::SubMaster))
        ++nextMaster;
    if (!IsLevel(nextMaster, KeyLevel::Master))
        return nullptr;
    master = nextMaster++;
    subMaster = NoKey;
    return &schedule[master];
}

void KeyCursor::StartSubMasters() {
    subMaster = NoKey;
    nextSubMaster = master == NoKey ? NoKey : master + 1;
}

bool KeyCursor::MoreSubMasters() const {
    return IsLevel(nextSubMaster, KeyLevel::SubMaster);
}

const ScheduledKey* KeyCursor::NextSubMaster() {
    if (!MoreSubMasters())
        return nullptr;
    subMaster = nextSubMaster++;
    return &schedule[subMaster];
}

void KeyCursor::StartChangeKeys() {
    // Change keys of an earlier key that were not read are passed over.
    const std::size_t lowest = LowestKey();
    while (IsLevel(nextChangeKey, KeyLevel::ChangeKey)) {
        const ScheduledKey& key = schedule[nextChangeKey];
        const std::size_t above = key.subMaster != NoKey ? key.subMaster : key.master;
        if (above == lowest || (above > lowest && lowest != NoKey))
            break;
        ++nextChangeKey;
    }
}

} // namespace varnholt::report

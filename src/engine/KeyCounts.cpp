#include "engine/KeyCounts.h"

#include "engine/KeyComposition.h"

#include <array>

namespace varnholt {

namespace {

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

ChamberValues CutsOf(const std::string& bitting, int chambers) {
    ChamberValues cuts{};
    for (int chamber = 1; chamber <= chambers && At(chamber - 1) < bitting.size(); ++chamber) {
        const char digit = bitting[At(chamber - 1)];
        cuts[At(chamber)] = digit >= '0' && digit <= '9' ? digit - '0' : 0;
    }
    return cuts;
}

std::string ChamberList(const ChamberFlags& chambers, int count) {
    std::vector<int> named;
    for (int chamber = 1; chamber <= count; ++chamber)
        if (chambers[At(chamber)])
            named.push_back(chamber);
    std::string text = named.size() == 1 ? "chamber " : "chambers ";
    for (std::size_t i = 0; i < named.size(); ++i) {
        if (i > 0)
            text += i + 1 == named.size() ? " and " : ", ";
        text += std::to_string(named[i]);
    }
    return text;
}

class Counter {
public:
    explicit Counter(const KeySystemRequest& systemRequest)
        : request(systemRequest), tmkCuts(CutsOf(request.TopMasterKey, request.Chambers)),
          controlCuts(request.IsICore ? CutsOf(request.ControlKey, request.Chambers) : ChamberValues{}) {}

    // Counts the reasons of a marked key; returns them in words.
    std::string Reasons(const ScheduledKey& key, MarkReasons& why) const {
        if (key.bitting.View().find_first_not_of("0123456789") != std::string::npos) {
            ++why.notFormed;
            return "cannot be formed";
        }
        const KeyCheck check = CheckComposedKey(request, tmkCuts, controlCuts,
                                                CutsOf(key.bitting, request.Chambers), key.bitting);
        std::string words;
        const auto add = [&words](const std::string& reason) {
            words += (words.empty() ? "" : "; ") + reason;
        };
        if (check.allControlChambersEqual) {
            ++why.otherControlKey;
            add("the control key does not differ in a control chamber");
        }
        if (check.breaksAdjacentCut) {
            ++why.adjacentCuts;
            add("M.A.C.S");
        }
        if (check.clashesWithControlKey) {
            ++why.controlKeyClash;
            add("the control key");
        }
        if (check.CannotBePinned()) {
            ++why.cannotBePinned;
            add("cannot be pinned in " + ChamberList(check.unpinnable, request.Chambers));
        }
        if (check.isControlKey) {
            ++why.isControlKey;
            add("same as the control key");
        }
        return words;
    }

private:
    const KeySystemRequest& request;
    ChamberValues tmkCuts;
    ChamberValues controlCuts;
};

} // namespace

std::int64_t ChangeKeysInAll(std::int64_t masters, std::int64_t subMastersPerMaster, std::int64_t perKey) {
    const std::int64_t lowest = masters <= 0              ? 1
                                : subMastersPerMaster > 0 ? masters * subMastersPerMaster
                                                          : masters;
    return lowest * perKey;
}

KeyCounts CountKeys(const KeySystemRequest& request, const KeySchedule& schedule) {
    KeyCounts counts;
    const Counter counter(request);
    counts.masters.asked = request.MasterCount;
    counts.subMasters.asked =
        request.MasterCount > 0 ? std::int64_t{request.MasterCount} * request.SubMasterCount : 0;
    // Change keys stand under masters and sub-masters, which lead the schedule: only they are
    // counted per key, not the 300,000 change keys of the largest system.
    std::vector<std::int64_t> listedUnder(1, 0);
    const auto countUnder = [&listedUnder](std::size_t above, std::int64_t listed) {
        if (above >= listedUnder.size())
            listedUnder.resize(above + 1, 0);
        listedUnder[above] += listed;
    };
    const auto listedUnderKey = [&listedUnder](std::size_t index) {
        return index < listedUnder.size() ? listedUnder[index] : 0;
    };
    // The change keys of one key of the lowest level follow one another: their listed ones are
    // added up as a run and counted under the keys above once the run ends.
    KeyIndex runMaster = NoKey;
    KeyIndex runSubMaster = NoKey;
    std::int64_t runListed = 0;
    const auto endRun = [&] {
        if (runMaster != NoKey)
            countUnder(runMaster, runListed);
        if (runSubMaster != NoKey)
            countUnder(runSubMaster, runListed);
        listedUnder[0] += runListed;
        runListed = 0;
    };
    const std::array<LevelCount*, 3> levels{nullptr, &counts.masters, &counts.subMasters};
    static_assert(static_cast<int>(KeyLevel::SubMaster) == 2, "levels are indexed by KeyLevel");
    std::vector<std::size_t> markedIndex; // the schedule's index of each of counts.markedKeys
    // The keys are found once: the counts written in the loop could otherwise be the schedule's own.
    const std::size_t keys = schedule.size();
    const ScheduledKey* const keyAt = schedule.data();
    // The change keys, nearly all of the keys, are counted apart and in locals.
    std::int64_t changeKeysFormed = 0;
    std::int64_t changeKeysListed = 0;
    for (std::size_t index = 0; index < keys; ++index) {
        const ScheduledKey& key = keyAt[index];
        if (key.level == KeyLevel::ChangeKey) {
            ++changeKeysFormed;
            if (key.listed) {
                ++changeKeysListed;
                if (key.master != runMaster || key.subMaster != runSubMaster) {
                    endRun();
                    runMaster = key.master;
                    runSubMaster = key.subMaster;
                }
                ++runListed;
            }
            if (key.mark == '*') {
                ++counts.changeKeys.marked;
                counter.Reasons(key, counts.changeKeys.why);
            }
            continue;
        }
        LevelCount* level = levels[static_cast<std::size_t>(key.level)];
        if (level == nullptr)
            continue;
        ++level->formed;
        if (key.listed)
            ++level->listed;
        if (key.mark != '*')
            continue;
        ++level->marked;
        const std::string reasons = counter.Reasons(key, level->why);
        markedIndex.push_back(index);
        counts.markedKeys.push_back({key.level, key.designation, key.bitting, reasons, 0});
    }
    endRun();
    counts.changeKeys.formed += changeKeysFormed;
    counts.changeKeys.listed += changeKeysListed;
    for (std::size_t marked = 0; marked < markedIndex.size(); ++marked)
        counts.markedKeys[marked].changeKeysListed = listedUnderKey(markedIndex[marked]);

    // The keys of the lowest master level, each with the change keys listed under it.
    const KeyLevel lowest = request.MasterCount <= 0     ? KeyLevel::TopMaster
                            : request.SubMasterCount > 0 ? KeyLevel::SubMaster
                                                         : KeyLevel::Master;
    counts.lowestLevel = lowest;
    for (std::size_t index = 0; index < keys; ++index) {
        if (keyAt[index].level != lowest)
            continue;
        ++counts.lowestKeys;
        if (listedUnderKey(index) < request.ChangeKeyCount)
            ++counts.lowestKeysShortOfKeys;
    }
    counts.changeKeys.asked =
        ChangeKeysInAll(request.MasterCount, request.SubMasterCount, request.ChangeKeyCount);
    return counts;
}

} // namespace varnholt

#include "ReportChecks.h"

#include "FuzzCheck.h"

#include "definition/BittingRules.h"
#include "engine/CylinderPinning.h"
#include "engine/KeySchedule.h"
#include "report/PinningList.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

namespace varnholt::fuzz {

namespace {

bool IsBitting(const std::string& bitting, int chambers) {
    return bitting.size() == static_cast<std::size_t>(chambers) &&
           std::all_of(bitting.begin(), bitting.end(),
                       [](char digit) { return digit >= '0' && digit <= '9'; });
}

bool IsMissingKey(const std::string& bitting, int chambers) {
    return bitting == std::string(static_cast<std::size_t>(chambers), '-');
}

// The chambers in which child differs from parent all have the role `role`, and there is at
// least one.
bool DiffersOnlyIn(const std::string& child, const std::string& parent, const std::string& roles, char role) {
    bool differs = false;
    for (std::size_t chamber = 0; chamber < child.size(); ++chamber) {
        if (child[chamber] == parent[chamber])
            continue;
        if (roles[chamber] != role)
            return false;
        differs = true;
    }
    return differs;
}

bool CutsFit(const std::string& bitting, const definition::CutRules& rules) {
    for (std::size_t chamber = 1; chamber < bitting.size(); ++chamber)
        if (!definition::AdjacentCutsFit(bitting[chamber - 1], bitting[chamber], rules))
            return false;
    return true;
}

// A bitting or a change-key number, with or without the mark '*' before it.
bool IsKeyToken(std::string_view token) {
    if (!token.empty() && token.front() == '*')
        token.remove_prefix(1);
    return !token.empty() &&
           std::all_of(token.begin(), token.end(), [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
}

// The bittings the output band printed. An entry is a designation (letters; none for change
// keys under the top master), for a change key its number, and the bitting, marked or not; so
// a run of number-like words after a designation is either a bitting or a number and a
// bitting, and a run without designation is pairs of number and bitting.
std::multiset<std::string> PrintedBittings(const bands::Document& document) {
    std::multiset<std::string> printed;
    const auto takeRun = [&printed](const std::vector<std::string>& run, bool afterDesignation) {
        if (afterDesignation) {
            FUZZ_CHECK(run.size() == 1 || run.size() == 2);
        } else {
            FUZZ_CHECK(run.size() % 2 == 0);
        }
        for (std::size_t index = run.size() == 1 ? 0 : 1; index < run.size(); index += 2) {
            std::string bitting = run[index];
            if (!bitting.empty() && bitting.front() == '*')
                bitting.erase(0, 1);
            printed.insert(bitting);
        }
    };
    for (const bands::DocumentPage& page : document.pages) {
        for (const bands::PrintedLabel& label : page.labels) {
            if (label.name != "Output")
                continue;
            for (const std::string& line : label.lines) {
                std::istringstream words(line);
                std::vector<std::string> run;
                bool afterDesignation = false;
                for (std::string word; words >> word;) {
                    if (IsKeyToken(word)) {
                        run.push_back(word);
                        continue;
                    }
                    if (!run.empty())
                        takeRun(run, afterDesignation);
                    run.clear();
                    // A four-digit change-key number runs into a designation: "A1000".
                    const std::size_t letters = word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
                    afterDesignation = letters != 0;
                    if (letters != std::string::npos && letters != 0) {
                        const std::string rest = word.substr(letters);
                        afterDesignation = IsKeyToken(rest);
                        if (afterDesignation)
                            run.push_back(rest);
                    }
                }
                if (!run.empty())
                    takeRun(run, afterDesignation);
            }
        }
    }
    return printed;
}

// Every change key a key of the lowest master level can have: each change-key chamber through
// the depths of its row of the key bitting array, the other chambers as the parent has them,
// less the keys that break the maximum adjacent cut or equal the control key.
std::set<std::string> PossibleChangeKeys(const GenerationState& state, const std::string& parent,
                                         const definition::CutRules& rules) {
    std::set<std::string> keys{parent};
    for (int chamber = 1; chamber <= state.Chambers; ++chamber) {
        const auto position = static_cast<std::size_t>(chamber - 1);
        if (state.ChamberRoles[position] != 'R')
            continue;
        std::set<std::string> stepped;
        for (const std::string& key : keys) {
            for (int column = 1; column <= state.ProgressionSteps; ++column) {
                const std::string& cell = state.ProgressionTable[static_cast<std::size_t>(chamber)]
                                                                [static_cast<std::size_t>(column)];
                if (cell.size() != 1 || cell == "-")
                    continue;
                std::string changed = key;
                changed[position] = cell[0];
                stepped.insert(changed);
            }
        }
        keys = std::move(stepped);
    }
    const std::string control = state.ControlKey.substr(0, static_cast<std::size_t>(state.Chambers));
    std::erase_if(keys, [&](const std::string& key) {
        return !CutsFit(key, rules) || (state.IsICore && key == control);
    });
    return keys;
}

struct ListedSystem {
    std::string topMaster;
    std::map<std::string, std::string> masters;    // designation -> bitting
    std::map<std::string, std::string> subMasters; // designation -> bitting
    int masterCount = 0;                           // those without a bitting included
    int subMasterCount = 0;
    std::map<std::string, std::set<std::string>> changeKeys; // by the designation they are listed under
};

// Masters and sub-masters: every one once, each differing from the key above it in the chambers
// of its own level only.
void CheckMasterKey(const ScheduledKey& key, const GenerationState& state, ListedSystem& system) {
    const std::string& roles = state.ChamberRoles;
    if (key.level == KeyLevel::Master) {
        ++system.masterCount;
        if (key.mark == '*' && IsMissingKey(key.bitting, state.Chambers))
            return;
        FUZZ_CHECK(IsBitting(key.bitting, state.Chambers));
        FUZZ_CHECK(system.masters.emplace(key.designation, key.bitting).second);
        FUZZ_CHECK(DiffersOnlyIn(key.bitting, system.topMaster, roles, 'M'));
        return;
    }
    ++system.subMasterCount;
    if (key.mark == '*' && IsMissingKey(key.bitting, state.Chambers))
        return;
    FUZZ_CHECK(IsBitting(key.bitting, state.Chambers));
    FUZZ_CHECK(system.subMasters.emplace(key.designation, key.bitting).second);
    // All master designations have the same length, so the one the sub-master's starts with is its master.
    const auto master =
        std::find_if(system.masters.begin(), system.masters.end(), [&key](const auto& candidate) {
            return key.designation.View().rfind(candidate.first, 0) == 0;
        });
    FUZZ_CHECK(master != system.masters.end());
    FUZZ_CHECK(DiffersOnlyIn(key.bitting, master->second, roles, 'S'));
}

// Change keys: usable as they are (no mark), numbered from 1 under their parent, and exactly as
// many under each parent as were asked for, or all it can have when that is fewer.
void CheckChangeKeys(const GenerationState& state, const ListedSystem& system,
                     const definition::CutRules& rules) {
    // Without masters the change keys stand under the top master and carry the designation
    // "A" that every pass starts with.
    std::map<std::string, std::string> parents{{"A", system.topMaster}};
    if (state.MasterCount > 0)
        parents = state.SubMasterCount > 0 ? system.subMasters : system.masters;
    for (const auto& [designation, keys] : system.changeKeys)
        FUZZ_CHECK(parents.count(designation) == 1);
    for (const auto& [designation, parent] : parents) {
        const std::set<std::string> possible = PossibleChangeKeys(state, parent, rules);
        const auto found = system.changeKeys.find(designation);
        const std::set<std::string> listed =
            found == system.changeKeys.end() ? std::set<std::string>{} : found->second;
        for (const std::string& key : listed) {
            FUZZ_CHECK(DiffersOnlyIn(key, parent, state.ChamberRoles, 'R'));
            FUZZ_CHECK(possible.count(key) == 1);
        }
        const std::size_t expected =
            std::min(possible.size(), static_cast<std::size_t>(state.ChangeKeyCount));
        // An interchangeable core refuses more keys than the plain comparison above can tell.
        if (state.IsICore)
            FUZZ_CHECK(listed.size() <= expected);
        else
            FUZZ_CHECK(listed.size() == expected);
    }
}

} // namespace

void CheckReport(const GenerationState& state, const std::vector<ScheduledKey>& keys,
                 const bands::Document& document) {
    const definition::CutRules rules = definition::CutRulesFor(state);
    FUZZ_CHECK(!document.aborted);
    FUZZ_CHECK(!document.pages.empty());

    FUZZ_CHECK(!keys.empty());
    FUZZ_CHECK(keys.front().level == KeyLevel::TopMaster);
    ListedSystem system;
    system.topMaster = keys.front().bitting;
    FUZZ_CHECK(system.topMaster == state.TopMasterKey.substr(0, static_cast<std::size_t>(state.Chambers)));

    // No key twice: two holders of the same bitting would open the same cylinders.
    std::set<std::string> bittings{system.topMaster};
    std::set<std::pair<std::string, int>> changeKeyNumbers;
    std::multiset<std::string> listed;
    for (std::size_t index = 1; index < keys.size(); ++index) {
        const ScheduledKey& key = keys[index];
        FUZZ_CHECK(key.level != KeyLevel::TopMaster);
        listed.insert(key.bitting);
        if (key.level == KeyLevel::ChangeKey) {
            FUZZ_CHECK(key.mark == ' ');
            FUZZ_CHECK(IsBitting(key.bitting, state.Chambers));
            FUZZ_CHECK(key.changeKeyNumber ==
                       static_cast<int>(system.changeKeys[key.designation].size()) + 1);
            FUZZ_CHECK(changeKeyNumbers.emplace(key.designation, key.changeKeyNumber).second);
            system.changeKeys[key.designation].insert(key.bitting);
        } else {
            CheckMasterKey(key, state, system);
        }
        if (!IsMissingKey(key.bitting, state.Chambers))
            FUZZ_CHECK(bittings.insert(key.bitting).second);
    }
    FUZZ_CHECK(system.masterCount == state.MasterCount);
    FUZZ_CHECK(system.subMasterCount == state.MasterCount * state.SubMasterCount);
    CheckChangeKeys(state, system, rules);

    // The pages show exactly the keys that were listed.
    FUZZ_CHECK(PrintedBittings(document) == listed);
}

void CheckScheduleAgrees(const GenerationState& state, const std::vector<ScheduledKey>& keys) {
    std::size_t next = 0;
    for (const ScheduledKey& scheduled : ComputeKeySchedule(state)) {
        if (!scheduled.listed) {
            FUZZ_CHECK(scheduled.level == KeyLevel::ChangeKey && scheduled.mark == '*');
            continue;
        }
        FUZZ_CHECK(next < keys.size());
        const ScheduledKey& listed = keys[next++];
        FUZZ_CHECK(scheduled.level == listed.level);
        FUZZ_CHECK(scheduled.designation == listed.designation);
        FUZZ_CHECK(scheduled.changeKeyNumber == listed.changeKeyNumber);
        FUZZ_CHECK(scheduled.bitting == listed.bitting);
        FUZZ_CHECK(scheduled.mark == listed.mark);
    }
    FUZZ_CHECK(next == keys.size());
}

void CheckPinningList(const GenerationState& state) {
    const KeySchedule schedule = ComputeKeySchedule(state);
    const ExposureCounter counter(state, schedule);
    std::size_t listed = 0;
    for (const ScheduledKey& key : schedule) {
        if (!key.listed)
            continue;
        ++listed;
        const CylinderExposure exposure = counter.Exposure(key.bitting);
        if (!IsBitting(key.bitting, state.Chambers)) {
            FUZZ_CHECK(exposure.openingBittings == 0);
            continue;
        }
        FUZZ_CHECK(exposure.openingBittings >= 1 &&
                   (exposure.openingBittings & (exposure.openingBittings - 1)) == 0);
        const bool isTopMaster = key.level == KeyLevel::TopMaster;
        FUZZ_CHECK(exposure.systemKeys >= (isTopMaster ? 1 : 2) &&
                   exposure.systemKeys <= exposure.openingBittings);
    }
    report::PinningList list(state, schedule);
    std::size_t cylinders = 0;
    for (const bands::DocumentPage& page : list.Run().pages)
        for (const bands::PrintedLabel& label : page.labels)
            cylinders += label.name == "CylinderLines" ? 1U : 0U;
    FUZZ_CHECK(cylinders == listed);
}

} // namespace varnholt::fuzz

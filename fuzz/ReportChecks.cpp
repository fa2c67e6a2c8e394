#include "ReportChecks.h"

#include "FuzzCheck.h"

#include "definition/BittingRules.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>

namespace varnholt::fuzz {

namespace {

using report::KeyLevel;
using report::ScheduledKey;

bool IsBitting(const std::string& bitting, int chambers)
{
    return bitting.size() == static_cast<std::size_t>(chambers) &&
           std::all_of(bitting.begin(), bitting.end(), [](char digit) { return digit >= '0' && digit <= '9'; });
}

bool IsMissingKey(const std::string& bitting, int chambers)
{
    return bitting == std::string(static_cast<std::size_t>(chambers), '-');
}

// The chambers in which child differs from parent all have the role `role`, and there is at
// least one.
bool DiffersOnlyIn(const std::string& child, const std::string& parent, const std::string& roles, char role)
{
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

bool CutsFit(const std::string& bitting, const definition::CutRules& rules)
{
    for (std::size_t chamber = 1; chamber < bitting.size(); ++chamber)
        if (!definition::AdjacentCutsFit(bitting[chamber - 1], bitting[chamber], rules))
            return false;
    return true;
}

// A bitting or a change-key number, with or without the mark '*' before it.
bool IsKeyToken(std::string_view token)
{
    if (!token.empty() && token.front() == '*')
        token.remove_prefix(1);
    return !token.empty() &&
           std::all_of(token.begin(), token.end(), [](char c) { return (c >= '0' && c <= '9') || c == '-'; });
}

// The bittings the output band printed. An entry is a designation (letters; none for change
// keys under the top master), for a change key its number, and the bitting, marked or not; so
// a run of number-like words after a designation is either a bitting or a number and a
// bitting, and a run without designation is pairs of number and bitting.
std::multiset<std::string> PrintedBittings(const bands::Document& document)
{
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

} // namespace

void CheckReport(const GenerationState& state, const std::vector<ScheduledKey>& keys, const bands::Document& document)
{
    const int chambers = state.Chambers;
    const std::string& roles = state.ChamberRoles;
    const definition::CutRules rules = definition::CutRulesFor(state);
    FUZZ_CHECK(!document.aborted);
    FUZZ_CHECK(!document.pages.empty());

    FUZZ_CHECK(!keys.empty());
    FUZZ_CHECK(keys.front().level == KeyLevel::TopMaster);
    FUZZ_CHECK(keys.front().bitting == state.TopMasterKey.substr(0, static_cast<std::size_t>(chambers)));
    const std::string& topMaster = keys.front().bitting;

    std::map<std::string, std::string> masters;    // designation -> bitting
    std::map<std::string, std::string> subMasters; // designation -> bitting
    std::set<std::string> bittings{topMaster};
    std::set<std::pair<std::string, int>> changeKeyNames;
    std::map<std::string, int> changeKeysUnder;
    std::multiset<std::string> listed;
    for (std::size_t index = 1; index < keys.size(); ++index) {
        const ScheduledKey& key = keys[index];
        FUZZ_CHECK(key.level != KeyLevel::TopMaster);
        listed.insert(key.bitting);
        if (key.level != KeyLevel::ChangeKey && key.mark == '*' && IsMissingKey(key.bitting, chambers))
            continue;
        FUZZ_CHECK(IsBitting(key.bitting, chambers));
        // No key twice: two holders of the same bitting open the same cylinders.
        FUZZ_CHECK(bittings.insert(key.bitting).second);
        switch (key.level) {
        case KeyLevel::Master:
            FUZZ_CHECK(masters.emplace(key.designation, key.bitting).second);
            FUZZ_CHECK(DiffersOnlyIn(key.bitting, topMaster, roles, 'M'));
            break;
        case KeyLevel::SubMaster: {
            FUZZ_CHECK(subMasters.emplace(key.designation, key.bitting).second);
            const auto master = std::find_if(masters.begin(), masters.end(), [&key](const auto& candidate) {
                return key.designation.rfind(candidate.first, 0) == 0;
            });
            FUZZ_CHECK(master != masters.end());
            FUZZ_CHECK(DiffersOnlyIn(key.bitting, master->second, roles, 'S'));
            break;
        }
        case KeyLevel::ChangeKey: {
            FUZZ_CHECK(key.mark == ' ');
            FUZZ_CHECK(key.changeKeyNumber >= 1);
            FUZZ_CHECK(changeKeyNames.emplace(key.designation, key.changeKeyNumber).second);
            FUZZ_CHECK(++changeKeysUnder[key.designation] <= state.ChangeKeyCount);
            const std::map<std::string, std::string>& parents =
                state.SubMasterCount > 0 ? subMasters : masters;
            std::string parent = topMaster;
            if (state.MasterCount > 0) {
                const auto found = parents.find(key.designation);
                FUZZ_CHECK(found != parents.end());
                parent = found->second;
            }
            FUZZ_CHECK(DiffersOnlyIn(key.bitting, parent, roles, 'R'));
            FUZZ_CHECK(CutsFit(key.bitting, rules));
            if (state.IsICore)
                FUZZ_CHECK(key.bitting != state.ControlKey.substr(0, static_cast<std::size_t>(chambers)));
            break;
        }
        case KeyLevel::TopMaster:
            break;
        }
    }
    FUZZ_CHECK(masters.size() <= static_cast<std::size_t>(state.MasterCount));

    // The pages show exactly the keys that were listed.
    FUZZ_CHECK(PrintedBittings(document) == listed);
}

} // namespace varnholt::fuzz

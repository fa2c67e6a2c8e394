#include "TestState.h"

#include "engine/KeySchedule.h"
#include "engine/Progression.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace varnholt {
namespace {

struct Quantities {
    std::string roles;
    int masters = 0;
    int subMasters = 0;
    int changeKeys = 0;
};

GenerationState Generated(GenerationState state, const Quantities& quantities) {
    state.ChamberRoles = quantities.roles;
    state.MasterCount = quantities.masters;
    state.SubMasterCount = quantities.subMasters;
    state.ChangeKeyCount = quantities.changeKeys;
    GenerateProgression(state);
    return state;
}

char RoleOf(KeyLevel level) {
    return level == KeyLevel::Master ? 'M' : level == KeyLevel::SubMaster ? 'S' : 'R';
}

bool Formed(const std::string& bitting) {
    return bitting.find('-') == std::string::npos;
}

// The rules every schedule keeps; `everyKeyFits` when no change key can be refused, so that
// each key of the lowest level has exactly the change keys asked for.
void ExpectSound(const GenerationState& state, bool everyKeyFits) {
    const KeySchedule schedule = ComputeKeySchedule(state);
    ASSERT_FALSE(schedule.empty());
    EXPECT_EQ(schedule[0].level, KeyLevel::TopMaster);
    EXPECT_EQ(schedule[0].bitting, state.TopMasterKey);

    std::set<std::string> designations;
    std::map<std::size_t, int> subMastersOf;
    std::map<std::pair<std::size_t, std::size_t>, int> changeKeysOf;
    int masters = 0;
    for (std::size_t index = 1; index < schedule.size(); ++index) {
        const ScheduledKey& key = schedule[index];
        const std::size_t parentIndex = key.subMaster != NoKey ? key.subMaster
                                        : key.master != NoKey  ? key.master
                                                               : 0;
        const std::string& parent = schedule[parentIndex].bitting;
        for (std::size_t chamber = 0; Formed(key.bitting) && Formed(parent) && chamber < parent.size();
             ++chamber) {
            if (key.bitting[chamber] != parent[chamber]) {
                EXPECT_EQ(state.ChamberRoles[chamber], RoleOf(key.level))
                    << key.bitting << " under " << parent;
            }
        }

        if (key.level == KeyLevel::Master) {
            ++masters;
            EXPECT_TRUE(designations.insert(key.designation).second) << key.designation;
        } else if (key.level == KeyLevel::SubMaster) {
            ++subMastersOf[key.master];
            EXPECT_TRUE(designations.insert(key.designation).second) << key.designation;
        } else {
            EXPECT_EQ(key.listed, key.mark != '*') << key.bitting;
            if (key.listed) {
                int& listed = changeKeysOf[{key.master, key.subMaster}];
                EXPECT_EQ(key.changeKeyNumber, ++listed) << key.designation << " " << key.bitting;
            }
        }
    }
    EXPECT_EQ(masters, state.MasterCount);
    for (const auto& [master, count] : subMastersOf)
        EXPECT_EQ(count, state.SubMasterCount);
    if (everyKeyFits) {
        const std::size_t lowestKeys = static_cast<std::size_t>(std::max(state.MasterCount, 1)) *
                                       static_cast<std::size_t>(std::max(state.SubMasterCount, 1));
        EXPECT_EQ(changeKeysOf.size(), lowestKeys);
        for (const auto& [parents, count] : changeKeysOf)
            EXPECT_EQ(count, state.ChangeKeyCount);
    }
}

TEST(KeySchedule, KeysDifferFromTheirParentsOnlyInTheirLevelsChambersAndAreCountedAndNumberedAsAsked) {
    GenerationState sixChambers = test::MakeState(0, 9, 2, "246135");
    sixChambers.MaxAdjacentCut = 20;
    ExpectSound(Generated(sixChambers, {"MMSSRR", 12, 9, 11}), true);
    ExpectSound(Generated(sixChambers, {"RRRRRR", 0, 0, 4096}), true);

    GenerationState depthTen = test::MakeState(1, 10, 1, "9085020");
    depthTen.MaxAdjacentCut = 20;
    // More masters than one letter names: designations of two letters, each once.
    ExpectSound(Generated(depthTen, {"MMMSRRR", 30, 5, 20}), true);

    GenerationState narrow = test::MakeState(0, 9, 1, "2461357");
    narrow.MaxAdjacentCut = 3;
    ExpectSound(Generated(narrow, {"MMSRRRR", 8, 4, 50}), false);
}

TEST(KeySchedule, ChangeKeysRefusedForTheControlKeyAreKeptButNeverListed) {
    GenerationState core = test::MakeState(0, 9, 1, "246135");
    core.IsICore = true;
    core.ControlChambers = "YNYNYNN";
    core.ControlKey = "357246";
    core.ControlFactor = 6;
    core.StackTotal = 23;
    core.MaxAdjacentCut = 7;
    const GenerationState state = Generated(core, {"MRRRRR", 2, 0, 10000});
    ExpectSound(state, false);

    const KeySchedule schedule = ComputeKeySchedule(state);
    const auto refused = std::count_if(schedule.begin(), schedule.end(), [](const ScheduledKey& key) {
        return key.level == KeyLevel::ChangeKey && !key.listed;
    });
    EXPECT_GT(refused, 0);
}

// Past 2 MiB a schedule lies on blocks of huge pages, below that on ordinary ones: a schedule
// that grows across the line key by key, is copied and shrinks back keeps every key (and, under
// the address sanitizer, gives each block back the way it was taken).
TEST(KeySchedule, ASchedulePastTheSizeOfAHugePageKeepsEveryKeyThroughGrowthCopiesAndShrinking) {
    constexpr int Keys = 100'000; // 2.8 MB
    KeySchedule schedule;
    for (int number = 0; number < Keys; ++number) {
        ScheduledKey& key = schedule.emplace_back();
        key.changeKeyNumber = number;
        key.bitting = std::to_string(number);
    }
    ASSERT_GT(schedule.capacity() * sizeof(ScheduledKey), std::size_t{2} << 20U);
    KeySchedule copy = schedule;
    schedule.resize(10);
    schedule.shrink_to_fit();
    for (int number = 0; number < Keys; ++number) {
        ASSERT_EQ(copy[static_cast<std::size_t>(number)].changeKeyNumber, number);
        ASSERT_EQ(copy[static_cast<std::size_t>(number)].bitting, std::to_string(number));
    }
    EXPECT_EQ(schedule.back().changeKeyNumber, 9);
    const KeySchedule moved = std::move(copy);
    EXPECT_EQ(moved.size(), std::size_t{Keys});
}

} // namespace
} // namespace varnholt

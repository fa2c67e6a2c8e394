#include "FuzzedRequest.h"
#include "ReportTestSystems.h"

#include "bands/TextOutput.h"
#include "engine/CylinderPinning.h"
#include "engine/KeyCounts.h"
#include "engine/KeySchedule.h"
#include "report/SummaryPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace varnholt::report::testing {
namespace {

// Cores with control chambers 1 and 3: under this control key every sub-master's cylinder needs
// a master pin thinner than a step in chamber 2.
TestSystem CoreWithUnpinnableSubMasters() {
    TestSystem system;
    system.chambers = 6;
    system.stepIncrement = 2;
    system.topMasterKey = "716786";
    system.masters = 2;
    system.subMasters = 2;
    system.changeKeys = 12;
    system.isICore = true;
    system.controlKey = "843353";
    system.controlChambers = "YNYNNNN";
    system.controlFactor = 6;
    system.stackTotal = 23;
    return system;
}

TEST(KeyUsability, KeysWhoseCylinderCannotBePinnedAreMarkedAndTheirChangeKeysLeftOut) {
    GenerationState state = MakeState(CoreWithUnpinnableSubMasters());
    const KeySchedule schedule = ComputeKeySchedule(state);
    const CylinderPinner pinner(state);
    int subMasters = 0;
    for (const ScheduledKey& key : schedule) {
        const CylinderPinning cylinder = pinner.Pin(key.bitting);
        if (key.level == KeyLevel::SubMaster) {
            ++subMasters;
            EXPECT_FALSE(cylinder.chambers[1].pinnable) << key.designation << " " << key.bitting;
            EXPECT_EQ(key.mark, '*') << key.designation;
        }
        if (key.level == KeyLevel::ChangeKey && key.listed)
            ADD_FAILURE() << key.designation << " " << key.bitting << " is listed";
    }
    EXPECT_EQ(subMasters, 4);
    // The report lists what the schedule lists: the sub-masters marked, no change key.
    const ReportRun run = RunReport(state);
    int reportedSubMasters = 0;
    for (const ScheduledKey& key : run.keys) {
        EXPECT_NE(key.level, KeyLevel::ChangeKey) << key.bitting;
        if (key.level == KeyLevel::SubMaster && key.mark == '*')
            ++reportedSubMasters;
    }
    EXPECT_EQ(reportedSubMasters, 4);
}

TEST(KeyUsability, TheSummaryPageSaysWhatWasLeftOutAndWhy) {
    GenerationState state = MakeState(CoreWithUnpinnableSubMasters());
    const std::vector<std::string> lines = SummaryPageLines(state, CountKeys(state, ComputeKeySchedule(state)));
    const auto has = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("  Sub-masters            4         4         4         4"));
    EXPECT_TRUE(has("  Change keys           48      1024         0      1024"));
    EXPECT_TRUE(has("Fewer change keys are listed than asked: 0 of 48."));
    EXPECT_TRUE(has("  Cannot be pinned: a pin would be thinner than one step         0       4    1024"));
    EXPECT_TRUE(has("  A     *916786  M.A.C.S; none of its change keys listed"));
    EXPECT_TRUE(has("  AA    *936786  cannot be pinned in chamber 2; none of its change keys listed"));
    for (const std::string& line : lines)
        EXPECT_LE(line.size(), 90U) << line;

    // It is the report's last page, a band of its own after every list.
    const bands::Document document = RunReport(state).document;
    const std::string last = bands::ToText(document).substr(bands::ToText(document).rfind('\f') + 1);
    EXPECT_NE(last.find("Summary"), std::string::npos);
    EXPECT_NE(last.find("Signs used in this report"), std::string::npos);
}

TEST(KeyUsability, NoUnmarkedListedKeyOfADrawnCoreHasAChamberThatCannotBePinned) {
    std::mt19937 random(19);
    std::vector<std::uint8_t> bytes(48);
    int cores = 0;
    int marked = 0;
    for (int drawn = 0; cores < 300 && drawn < 200000; ++drawn) {
        for (std::uint8_t& byte : bytes)
            byte = static_cast<std::uint8_t>(random() % 256);
        const std::optional<GenerationState> state = fuzz::DrawAcceptedRequest(bytes);
        if (!state || !state->IsICore)
            continue;
        ++cores;
        const CylinderPinner pinner(*state);
        for (const ScheduledKey& key : ComputeKeySchedule(*state)) {
            const bool pinnable = pinner.Pin(key.bitting).Pinnable(state->Chambers);
            if (key.listed && key.mark != '*') {
                EXPECT_TRUE(pinnable) << state->MfgName << " top master " << state->TopMasterKey << " control key "
                                      << state->ControlKey << ": " << key.designation << " " << key.bitting;
            }
            marked += key.mark == '*' && !pinnable ? 1 : 0;
        }
    }
    EXPECT_EQ(cores, 300);
    // The rule is at work, not merely never met.
    EXPECT_GT(marked, 0);
}

} // namespace
} // namespace varnholt::report::testing

#include "ReportTestSystems.h"

#include "engine/KeySchedule.h"

#include <gtest/gtest.h>

namespace varnholt::report::testing {
namespace {

// A key as a line of text, so that a difference shows both sides in full.
std::string Listing(const ScheduledKey& key) {
    return std::to_string(static_cast<int>(key.level)) + " " + key.designation + " " +
           std::to_string(key.changeKeyNumber) + " " + key.bitting + " " + key.mark;
}

TEST(ScheduleAgreement, TheReportListsExactlyTheScheduleInItsOrder) {
    for (GenerationState state : AgreementSystems()) {
        const KeySchedule schedule = ComputeKeySchedule(state);
        const ReportRun run = RunReport(state);
        std::vector<std::string> scheduled;
        for (const ScheduledKey& key : schedule)
            if (key.listed)
                scheduled.push_back(Listing(key));
        std::vector<std::string> reported;
        for (const ScheduledKey& key : run.keys)
            reported.push_back(Listing(key));
        ASSERT_EQ(scheduled, reported)
            << state.MfgName << " " << state.Chambers << " chambers, top master " << state.TopMasterKey
            << ", roles " << state.ChamberRoles << ", " << state.MasterCount << "/" << state.SubMasterCount
            << "/" << state.ChangeKeyCount;
    }
}

} // namespace
} // namespace varnholt::report::testing

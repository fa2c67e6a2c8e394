#include "LegacyKeyScheduleCsv.h"
#include "ReportTestSystems.h"

#include "KeyScheduleCsv.h"
#include "engine/KeySchedule.h"

#include <gtest/gtest.h>

namespace varnholt::legacy {
namespace {

TEST(LegacyCsv, TheScheduleWritesTheSameBytesAsTheReportListener)
{
    for (GenerationState state : report::testing::AgreementSystems()) {
        const std::string scheduled = tools::KeyScheduleCsvText(ComputeKeySchedule(state));
        ASSERT_EQ(scheduled, LegacyKeyScheduleCsvOf(state)) << state.MfgName << " " << state.TopMasterKey;
    }
}

} // namespace
} // namespace varnholt::legacy

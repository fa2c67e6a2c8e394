#include "ReportTestSystems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace varnholt::report::testing {
namespace {

std::vector<ScheduledKey> ChangeKeysOf(const ReportRun& run) {
    std::vector<ScheduledKey> keys;
    for (const ScheduledKey& key : run.keys)
        if (key.level == KeyLevel::ChangeKey)
            keys.push_back(key);
    return keys;
}

TEST(ChangeKeyList, HeadlineSystemListsEveryUsableKeyOnceNumberedWithoutGaps) {
    GenerationState state = MakeState({});
    const ReportRun run = RunReport(state);
    const std::vector<ScheduledKey> keys = ChangeKeysOf(run);

    std::vector<std::string> expected = ExpectedChangeKeys(state, "246135");
    ASSERT_LT(expected.size(), 4096U) << "some keys must break the maximum adjacent cut";
    std::vector<std::string> listed;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].changeKeyNumber, static_cast<int>(i) + 1);
        listed.push_back(keys[i].bitting);
    }
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> sortedListed = listed;
    std::sort(sortedListed.begin(), sortedListed.end());
    EXPECT_EQ(sortedListed, expected);

    // What the pages show is what was listed.
    const std::vector<std::string> printed = ChangeKeyEntries(run.document);
    ASSERT_EQ(printed.size(), listed.size());
    for (std::size_t i = 0; i < printed.size(); ++i)
        EXPECT_EQ(printed[i].substr(printed[i].size() - 6), listed[i]) << i;
}

} // namespace
} // namespace varnholt::report::testing

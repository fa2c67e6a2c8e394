#include "ReportTestSystems.h"

#include "bands/JsonOutput.h"
#include "engine/Progression.h"
#include "report/TForm3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace varnholt::report::testing {
namespace {

std::vector<ScheduledKey> KeysAt(const ReportRun& run, KeyLevel level) {
    std::vector<ScheduledKey> keys;
    std::copy_if(run.keys.begin(), run.keys.end(), std::back_inserter(keys),
                 [level](const ScheduledKey& key) { return key.level == level; });
    return keys;
}

// Every change key once, numbered 1, 2, 3 ... under each lowest-level key.
void ExpectNumberedWithoutGaps(const std::vector<ScheduledKey>& keys) {
    std::map<std::string, int> lastNumber;
    std::set<std::pair<std::string, std::string>> seen;
    for (const ScheduledKey& key : keys) {
        EXPECT_EQ(key.changeKeyNumber, ++lastNumber[key.designation])
            << key.designation << " " << key.bitting;
        EXPECT_TRUE(seen.insert({key.designation, key.bitting}).second) << "listed twice: " << key.bitting;
    }
}

int PagesWithLabel(const bands::Document& document, const std::string& name) {
    int count = 0;
    for (const auto& page : document.pages)
        for (const auto& label : page.labels)
            if (label.name == name && !label.continued)
                ++count;
    return count;
}

TEST(ReportRun, PageBreaksAtTheEndOfAColumnCycleRepeatAndLoseNoKey) {
    // No key breaks the cut limit, so the 200th key of every page is the last column of the
    // innermost chamber.
    TestSystem system;
    system.chambers = 5;
    system.topMasterKey = "24613";
    system.maxAdjacentCut = 0;
    GenerationState state = MakeState(system);
    const ReportRun run = RunReport(state);
    const std::vector<ScheduledKey> keys = KeysAt(run, KeyLevel::ChangeKey);
    ASSERT_EQ(keys.size(), 1024U);
    ExpectNumberedWithoutGaps(keys);
    std::vector<std::string> listed;
    for (const ScheduledKey& key : keys)
        listed.push_back(key.bitting);
    std::vector<std::string> expected = ExpectedChangeKeys(state, "24613");
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(ChangeKeyEntries(run.document).size(), 1024U);
    EXPECT_EQ(OutputPages(run.document).size(), 6U);
}

TEST(ReportRun, TwoHundredKeysFillOnePageAndTheNextStartsAnother) {
    TestSystem system;
    system.chambers = 5;
    system.topMasterKey = "24613";
    system.maxAdjacentCut = 0;
    system.changeKeys = 201;
    GenerationState state = MakeState(system);
    const ReportRun run = RunReport(state);
    const auto pages = OutputPages(run.document);
    ASSERT_EQ(pages.size(), 2U);
    ASSERT_EQ(pages[0].size(), 50U);
    for (const std::string& line : pages[0])
        EXPECT_EQ(line.size(), 80U) << "four columns of twenty";
    ASSERT_EQ(pages[1].size(), 1U);
    EXPECT_EQ(pages[1][0].substr(pages[1][0].find_first_not_of(' '), 5), "A 201");
}

TEST(ReportRun, ChangeKeysThatFillWholePagesLeaveNoEmptyPage) {
    // 200 of the 256 keys keep the cut limit of 6: exactly one full page, then nothing.
    TestSystem system;
    system.chambers = 4;
    system.topMasterKey = "0014";
    system.maxAdjacentCut = 6;
    GenerationState state = MakeState(system);
    const ReportRun run = RunReport(state);
    EXPECT_EQ(KeysAt(run, KeyLevel::ChangeKey).size(), 200U);
    const auto pages = OutputPages(run.document);
    ASSERT_EQ(pages.size(), 1U);
    EXPECT_EQ(pages[0].size(), 50U);
}

TEST(ReportRun, SystemWithoutMastersPrintsCoverPinningAndChangeKeysOnly) {
    GenerationState state = MakeState({});
    const ReportRun run = RunReport(state);
    EXPECT_EQ(PagesWithLabel(run.document, "RCoverSheet"), 1);
    EXPECT_EQ(PagesWithLabel(run.document, "RQuickPin"), 1);
    EXPECT_TRUE(KeysAt(run, KeyLevel::Master).empty());
    for (const std::string& entry : ChangeKeyEntries(run.document))
        EXPECT_EQ(entry[0], 'A') << "without masters the keys carry the designation A";
    for (const bands::DocumentPage& page : run.document.pages) {
        int footers = 0;
        int headers = 0;
        for (const bands::PrintedLabel& label : page.labels) {
            if (label.name == "RFooter") {
                ++footers;
                EXPECT_TRUE(label.lines.empty()) << "the footer stays empty";
            }
            headers += label.name == "RHeader" ? 1 : 0;
        }
        EXPECT_EQ(footers, 1) << "page " << page.number;
        EXPECT_EQ(headers, 1) << "page " << page.number;
    }
}

TEST(ReportRun, MastersOnlyListsThemAndStartsTheChangeKeysOnAFreshPage) {
    TestSystem system;
    system.masters = 30;
    system.changeKeys = 3;
    GenerationState state = MakeState(system);
    const ReportRun run = RunReport(state);
    const std::vector<ScheduledKey> masters = KeysAt(run, KeyLevel::Master);
    ASSERT_EQ(masters.size(), 30U);
    EXPECT_EQ(masters.front().designation, "AA");
    EXPECT_EQ(masters.back().designation, "BH");
    const auto pages = OutputPages(run.document);
    ASSERT_EQ(pages.size(), 2U);
    EXPECT_EQ(pages[0].size(), 1U + 8U) << "heading and eight lines of four";
    // The change-key page holds entries only: no blank line left over from the master list.
    ASSERT_EQ(pages[1].size(), 50U) << "90 keys: fifty in the first column, forty in the second";
    for (const std::string& line : pages[1])
        EXPECT_NE(line.find_first_not_of(' '), std::string::npos);
    EXPECT_EQ(pages[1][0].substr(pages[1][0].find_first_not_of(' '), 8), "AA   1  ");
    ExpectNumberedWithoutGaps(KeysAt(run, KeyLevel::ChangeKey));
}

TEST(ReportRun, SubMastersWithoutChangeKeysEndAndListEveryMasterAndSubMaster) {
    TestSystem system;
    system.masters = 10;
    system.subMasters = 3;
    system.changeKeys = 0;
    GenerationState state = MakeState(system);
    const ReportRun run = RunReport(state);
    EXPECT_EQ(KeysAt(run, KeyLevel::Master).size(), 10U);
    EXPECT_EQ(KeysAt(run, KeyLevel::SubMaster).size(), 30U);
    EXPECT_TRUE(KeysAt(run, KeyLevel::ChangeKey).empty());
    const auto pages = OutputPages(run.document);
    ASSERT_EQ(pages.size(), 1U) << "one page of sub-master blocks, no change-key page";
    EXPECT_EQ(pages[0].size(), 10U * 4U);
}

TEST(ReportRun, ChangeKeyNumbersStartAgainUnderEverySubMasterWithoutGaps) {
    TestSystem system;
    system.masters = 10;
    system.subMasters = 3;
    GenerationState state = MakeState(system);
    const ReportRun run = RunReport(state);
    const std::vector<ScheduledKey> subMasters = KeysAt(run, KeyLevel::SubMaster);
    const std::vector<ScheduledKey> changeKeys = KeysAt(run, KeyLevel::ChangeKey);
    ExpectNumberedWithoutGaps(changeKeys);
    // Under each sub-master: exactly the usable keys of its change-key chambers.
    for (const ScheduledKey& subMaster : subMasters) {
        std::vector<std::string> listed;
        for (const ScheduledKey& key : changeKeys)
            if (key.designation == subMaster.designation)
                listed.push_back(key.bitting);
        std::vector<std::string> expected = ExpectedChangeKeys(state, subMaster.bitting);
        std::sort(listed.begin(), listed.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(listed, expected) << subMaster.designation;
    }
    EXPECT_EQ(PagesWithLabel(run.document, "Output"), 1 + static_cast<int>((changeKeys.size() + 199) / 200));
}

TEST(ReportRun, ThreeChambersComposeEveryDigitInItsPlace) {
    TestSystem system;
    system.manufacturer = "KESSLER";
    system.chambers = 3;
    system.stepIncrement = 1;
    system.maxAdjacentCut = 0;
    system.topMasterKey = "469";
    GenerationState state = MakeState(system);
    const ReportRun run = RunReport(state);
    std::vector<std::string> listed;
    for (const ScheduledKey& key : KeysAt(run, KeyLevel::ChangeKey))
        listed.push_back(key.bitting);
    std::vector<std::string> expected = ExpectedChangeKeys(state, "469");
    ASSERT_EQ(expected.size(), 216U);
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
}

TEST(ReportRun, TheLargestSubMasterBlocksFitTheEntryTable) {
    // 7 chambers with 6 depths each: 6 masters of 216 sub-masters, each block 217 entries.
    TestSystem system;
    system.manufacturer = "KESSLER";
    system.chambers = 7;
    system.stepIncrement = 1;
    system.maxAdjacentCut = 0;
    system.topMasterKey = "2461357";
    system.masters = 6;
    system.subMasters = 216;
    system.changeKeys = 1;
    GenerationState state = MakeState(system);
    ASSERT_EQ(state.SubMasterCount, 216);
    const ReportRun run = RunReport(state);
    const std::vector<ScheduledKey> subMasters = KeysAt(run, KeyLevel::SubMaster);
    ASSERT_EQ(subMasters.size(), 6U * 216U);
    std::set<std::string> designations;
    std::set<std::string> bittings;
    for (const ScheduledKey& key : subMasters) {
        designations.insert(key.designation);
        bittings.insert(key.bitting);
    }
    EXPECT_EQ(designations.size(), subMasters.size());
    EXPECT_EQ(bittings.size(), subMasters.size());
    // Each block prints its own sub-masters and nothing left from the block before.
    std::size_t printedSubMasters = 0;
    for (const auto& page : OutputPages(run.document)) {
        if (page.front().find("Master Key") == std::string::npos)
            break; // the change-key pages
        for (const std::string& line : page) {
            if (line.find("Master Key") != std::string::npos || line.find("****") != std::string::npos)
                continue;
            // Every entry is a designation and a bitting (with its mark).
            std::istringstream words(line);
            std::size_t count = 0;
            for (std::string word; words >> word;)
                ++count;
            printedSubMasters += count / 2;
        }
    }
    EXPECT_EQ(printedSubMasters, 6U * 216U);
}

TEST(ReportRun, ManyMastersWithManySubMastersNameEveryKeyOnce) {
    TestSystem system;
    system.manufacturer = "KESSLER";
    system.chambers = 7;
    system.stepIncrement = 1;
    system.maxAdjacentCut = 0;
    system.topMasterKey = "2461357";
    system.masters = 23;
    system.subMasters = 30;
    system.changeKeys = 2;
    GenerationState state = MakeState(system);
    const ReportRun run = RunReport(state);
    const std::vector<ScheduledKey> masters = KeysAt(run, KeyLevel::Master);
    const std::vector<ScheduledKey> subMasters = KeysAt(run, KeyLevel::SubMaster);
    ASSERT_EQ(masters.size(), 23U);
    ASSERT_EQ(subMasters.size(), 23U * 30U);
    std::set<std::string> names;
    for (const ScheduledKey& key : subMasters) {
        names.insert(key.designation);
        EXPECT_EQ(key.designation.size(), 4U);
    }
    EXPECT_EQ(names.size(), subMasters.size());
    EXPECT_EQ(masters.back().designation, "BA");
    EXPECT_EQ(subMasters.back().designation, "BABH");
    for (std::size_t m = 0; m < masters.size(); ++m)
        for (std::size_t s = 0; s < 30; ++s)
            EXPECT_EQ(subMasters[m * 30 + s].designation.View().substr(0, 2), masters[m].designation);
}

TEST(ReportRun, MoreMastersThanTheChambersFormEndsWithoutRepeating) {
    TestSystem system;
    system.masters = 4;
    system.changeKeys = 1;
    GenerationState state = MakeState(system);
    state.MasterCount = 9; // one master chamber forms only 4
    const ReportRun run = RunReport(state);
    const std::vector<ScheduledKey> masters = KeysAt(run, KeyLevel::Master);
    ASSERT_EQ(masters.size(), 4U);
    std::set<std::string> bittings;
    for (const ScheduledKey& key : masters)
        bittings.insert(key.bitting);
    EXPECT_EQ(bittings.size(), 4U);
}

TEST(ReportRun, AReportDoesNotDependOnTheOneBeforeIt) {
    TestSystem large;
    large.manufacturer = "KESSLER";
    large.chambers = 7;
    large.stepIncrement = 1;
    large.maxAdjacentCut = 0;
    large.topMasterKey = "2461357";
    large.masters = 40;
    large.subMasters = 5;
    large.changeKeys = 3;
    TestSystem small;
    small.chambers = 5;
    small.topMasterKey = "24613";
    small.masters = 3;
    small.changeKeys = 20;

    TForm3 form;
    form.StartReport(MakeState(large));
    const GenerationState next = MakeState(small);
    const std::string again = bands::ToJson(form.StartReport(next));

    TForm3 freshForm;
    EXPECT_EQ(again, bands::ToJson(freshForm.StartReport(next)));
}

} // namespace
} // namespace varnholt::report::testing

#include "ReportTestSystems.h"

#include "bands/TextOutput.h"
#include "engine/CylinderPinning.h"
#include "engine/KeySchedule.h"
#include "engine/TextLayout.h"
#include "report/KbaPage.h"
#include "report/PinningList.h"
#include "report/PinningListText.h"

#include <gtest/gtest.h>

namespace varnholt::report::testing {
namespace {

// A pin as the key bitting array's blocks print it: two places, "--" for a pin of 0 where the
// block says so, " *" for every pin of a core chamber that cannot be pinned.
std::string CorePin(int pin, bool dashForZero) {
    if (pin == 0 && dashForZero)
        return "--";
    const std::string digits = std::to_string(pin);
    return digits.size() == 1 ? " " + digits : digits;
}

// The pin lines of column's block, from the pinning of each chamber's cell taken as the key.
std::vector<std::string> ExpectedBlock(const GenerationState& state, int column) {
    const CylinderPinner pinner(state);
    std::vector<std::string> lines(state.IsICore ? 4 : 2);
    for (int chamber = 1; chamber <= state.Chambers; ++chamber) {
        const std::string& cell =
            state.ProgressionTable[static_cast<std::size_t>(chamber)][static_cast<std::size_t>(column)];
        const bool holdsDepth = !cell.empty() && cell != "-";
        const ChamberPinning pins = holdsDepth ? pinner.PinChamber(chamber, cell[0]) : ChamberPinning{};
        if (!state.IsICore) {
            std::string bottom = holdsDepth ? std::to_string(pins.bottomPin) : " ";
            bottom.resize(6, ' ');
            lines[0] += "|BP=" + bottom;
            lines[1] += "|MP=     " + (!holdsDepth           ? " "
                                       : pins.masterPin == 0 ? "-"
                                                             : std::to_string(pins.masterPin));
            continue;
        }
        std::vector<std::string> pinTexts{CorePin(pins.bottomPin, false), CorePin(pins.masterPin, true),
                                          CorePin(pins.controlPin, true), CorePin(pins.topPin, true)};
        if (!holdsDepth)
            pinTexts.assign(4, "  ");
        else if (!pins.pinnable)
            pinTexts.assign(4, " *");
        const char* labels[] = {"|BP=    ", "|MP=    ", "|CP=    ", "|TP=    "};
        for (std::size_t i = 0; i < 4; ++i)
            lines[i] += labels[i] + pinTexts[i];
    }
    for (std::string& line : lines)
        line = CentreText(line + "|", 90);
    return lines;
}

TEST(PinningList, AgreesWithEveryBlockOfTheKeyBittingArrayOfTheGoldenSystems) {
    const std::vector<GenerationState> systems = AgreementSystems();
    for (std::size_t system = 0; system < 8; ++system) {
        const GenerationState& state = systems[system];
        const std::vector<std::string> page = BuildKbaPage(state);
        // Title, the array, a blank line and a separator; then per column a cell line, the pin
        // lines, filler or core lines, and a separator: six lines in all.
        const std::size_t firstBlock = 1 + static_cast<std::size_t>(state.ProgressionSteps) + 2;
        for (int column = 1; column <= state.ProgressionSteps; ++column) {
            const std::size_t pinLines = firstBlock + static_cast<std::size_t>(column - 1) * 6 + 1;
            const std::vector<std::string> expected = ExpectedBlock(state, column);
            for (std::size_t line = 0; line < expected.size(); ++line)
                EXPECT_EQ(page[pinLines + line], expected[line]) << state.MfgName << " column " << column;
        }
    }
}

TEST(PinningList, ListsEveryCylinderOnceUnderTheTitleBlockWithItsPinsAndExposure) {
    TestSystem system;
    system.chambers = 5;
    system.topMasterKey = "24613";
    system.masters = 2;
    system.subMasters = 2;
    system.changeKeys = 2;
    GenerationState state = MakeState(system);
    ASSERT_EQ(state.ChamberRoles, "MSRRR");
    const KeySchedule schedule = ComputeKeySchedule(state);
    PinningList list(state, schedule);
    const std::string text = bands::ToText(list.Run());

    EXPECT_NE(text.find("BRANDT 5 Pin  Pinning List  24613"), std::string::npos);
    EXPECT_NE(text.find("The Grand Master Key = 24613"), std::string::npos);
    EXPECT_NE(text.find("15 cylinders, one for every key listed"), std::string::npos);
    EXPECT_NE(text.find("Key    No.  Bitting     1     2     3     4     5     Opens  Keys"),
              std::string::npos);
    EXPECT_NE(text.find("GMK         24613      2/-   4/-   6/-   1/-   3/-        1     1"),
              std::string::npos);
    EXPECT_NE(text.find("AA          46613      2/2   4/2   6/-   1/-   3/-        4     3"),
              std::string::npos);
    EXPECT_NE(text.find("AA       2  46035      2/2   4/2   0/6   1/2   3/2       32     4"),
              std::string::npos);
    EXPECT_NE(text.find("BB       2"), std::string::npos);
}

// The running head is cut by characters: a job number in another alphabet neither breaks the
// page's UTF-8 nor moves "Page" away from its number; a line break in it stays out of the head.
TEST(PinningList, ALongJobNumberIsCutByCharactersBeforeThePageNumber) {
    TestSystem system;
    system.changeKeys = 1;
    const GenerationState state = MakeState(system);
    const KeySchedule schedule = ComputeKeySchedule(state);
    for (const std::string number : {"ÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄ", "xÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄÄ", "12\n34"}) {
        JobDetails job;
        job.jobNumber = number;
        PinningList list(state, schedule, job);
        const std::string text = bands::ToText(list.Run());
        const std::string head = text.substr(0, text.find('\n'));
        EXPECT_EQ(head.substr(head.size() - 10), "Page     1") << head;
        std::size_t characters = 0;
        for (const char byte : head)
            characters += (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U ? 1 : 0;
        EXPECT_EQ(characters, 88U) << head;
        EXPECT_NE(head.find(number == "12\n34" ? "Job 12 34" : "…Page"), std::string::npos) << head;
    }
}

TEST(PinningList, TypicalLineGivesTheMediansOfTheCylinders) {
    // Ranked by incidental bittings, the middle one of these opens to 64; the median is 2.
    const std::vector<CylinderExposure> seven{{64, 64}, {64, 64}, {64, 64}, {1, 1}, {2, 1}, {2, 1}, {2, 1}};
    EXPECT_EQ(TypicalExposureLine(seven),
              "Typical:      half the cylinders open to 2 bittings or fewer; half to 1 key or fewer.");
    // Of an even count the lower middle: half of them do open to that many or fewer.
    EXPECT_EQ(TypicalExposureLine({{8, 3}, {4, 2}}),
              "Typical:      half the cylinders open to 4 bittings or fewer; half to 2 keys or fewer.");
}

} // namespace
} // namespace varnholt::report::testing

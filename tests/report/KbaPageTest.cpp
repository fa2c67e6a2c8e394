#include "report/KbaPage.h"
#include "engine/Progression.h"

#include "TestState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

using namespace varnholt;
using varnholt::report::BuildKbaPage;
using varnholt::test::Indented;
using varnholt::test::MakeState;

namespace {

// Depths 1..10 ("0" is 10), step 4: rows 0 2 / 6 2 / 8 -.
GenerationState StandardSystem() {
    GenerationState state = MakeState(1, 10, 4, "604");
    GenerateProgression(state);
    return state;
}

// Depths 0..9, step 3, control chambers 1 and 3: rows 4 1 - / 8 2 - / 5 8 -.
GenerationState CoreSystem() {
    GenerationState state = MakeState(0, 9, 3, "752");
    state.IsICore = true;
    state.ControlKey = "584";
    state.ControlChambers = "YNYNNNN";
    state.ControlFactor = 6;
    state.StackTotal = 23;
    GenerateProgression(state);
    return state;
}

void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(actual.size(), expected.size());
}

const std::string Separator = Indented(29, "-------------------------------");
const std::string Filler = Indented(29, "|         |         |         |");

} // namespace

TEST(BuildKbaPage, StandardSystemShowsBottomAndMasterPins) {
    GenerationState state = StandardSystem();
    const std::vector<std::string> lines = BuildKbaPage(state);
    ExpectLines(lines, {
                           Indented(22, "KBA  Note: Zero cuts represent a depth of 10\r"),
                           Indented(41, "0  6  8"),
                           Indented(41, "2  2  -"),
                           Indented(44, "\r"),
                           Separator,
                           Indented(29, "|    0    |    6    |    8    |"),
                           Indented(29, "|BP=6     |BP=6     |BP=4     |"),
                           Indented(29, "|MP=     4|MP=     4|MP=     4|"),
                           Filler,
                           Filler,
                           Separator,
                           Indented(29, "|    2    |    2    |    -    |"),
                           Indented(29, "|BP=2     |BP=2     |BP=      |"),
                           Indented(29, "|MP=     4|MP=     8|MP=      |"),
                           Filler,
                           Filler,
                           Separator,
                       });
}

TEST(BuildKbaPage, InterchangeableCoreShowsFourPinsAndMarksThinPins) {
    GenerationState state = CoreSystem();
    const std::vector<std::string> lines = BuildKbaPage(state);
    ExpectLines(lines, {
                           Indented(43, "KBA\r"),
                           Indented(41, "4  8  5"),
                           Indented(41, "1  2  8"),
                           Indented(41, "-  -  -"),
                           Indented(44, "\r"),
                           Separator,
                           Indented(29, "|    4    |    8    |    5    |"),
                           Indented(29, "|BP=     4|BP=     5|BP=     2|"),
                           Indented(29, "|MP=     3|MP=     3|MP=     3|"),
                           Indented(29, "|CP=     4|CP=    --|CP=     5|"),
                           Indented(29, "|TP=    12|TP=    15|TP=    13|"),
                           Separator,
                           Indented(29, "|    1    |    2    |    8    |"),
                           Indented(29, "|BP=     1|BP=     2|BP=     *|"),
                           Indented(29, "|MP=     6|MP=     3|MP=     *|"),
                           Indented(29, "|CP=     4|CP=     3|CP=     *|"),
                           Indented(29, "|TP=    12|TP=    15|TP=     *|"),
                           Separator,
                           Indented(29, "|    -    |    -    |    -    |"),
                           Indented(29, "|BP=      |BP=      |BP=      |"),
                           Indented(29, "|MP=      |MP=      |MP=      |"),
                           Indented(29, "|CP=      |CP=      |CP=      |"),
                           Indented(29, "|TP=      |TP=      |TP=      |"),
                           Separator,
                           Indented(24, "'*' = Not compatable with the Control Key"),
                       });
}

TEST(BuildKbaPage, TellsOfThisSystemOnly) {
    GenerationState core = CoreSystem();
    core.ControlFactor = 7; // chamber 3, column 2: 4 + 7 - 8 = 3 is a whole step
    const std::vector<std::string> lines = BuildKbaPage(core);

    // What an earlier system's pinning left in the working values shows nowhere.
    GenerationState used = core;
    used.KeyMark = '*';
    used.TmkCuts.fill(9);
    used.ControlCuts.fill(9);
    used.KeyCuts.fill(9);
    used.BottomPinsText = used.MasterPinsText = used.ControlPinsText = used.TopPinsText = "  *  *  *";
    EXPECT_EQ(BuildKbaPage(used), lines);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), Separator) << "no note without a pin that cannot be used";
    EXPECT_EQ(used.KeyMark, '*') << "the system is only read";
}

TEST(BuildKbaPage, RefusesAnIncompleteControlKey) {
    GenerationState state = CoreSystem();
    state.ControlKey = "58";
    EXPECT_THROW(BuildKbaPage(state), std::invalid_argument);
    state.ControlKey = "584";
    state.ControlChambers = "YN";
    EXPECT_THROW(BuildKbaPage(state), std::invalid_argument);
}

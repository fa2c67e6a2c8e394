#include "engine/Progression.h"
#include "engine/Depth.h"

#include "TestState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

using namespace varnholt;
using varnholt::test::MakeState;
using varnholt::test::Row;

namespace {

struct ProgressionCase {
    int shallowestCut;
    int deepestCut;
    int step;
    char topDigit;
    int expectedSteps;
    std::string expectedRow;
};

void PrintTo(const ProgressionCase& c, std::ostream* out) {
    *out << "cuts " << c.shallowestCut << ".." << c.deepestCut << " step " << c.step << " top " << c.topDigit;
}

class ProgressionRows : public testing::TestWithParam<ProgressionCase> {};

} // namespace

TEST_P(ProgressionRows, EveryChamberStepsFromItsTopMasterDepth) {
    const ProgressionCase& c = GetParam();
    GenerationState state = MakeState(c.shallowestCut, c.deepestCut, c.step, std::string(5, c.topDigit));
    GenerateProgression(state);
    EXPECT_EQ(state.ProgressionSteps, c.expectedSteps);
    for (int chamber = 1; chamber <= 5; ++chamber)
        EXPECT_EQ(Row(state, chamber), c.expectedRow) << "chamber " << chamber;
}

INSTANTIATE_TEST_SUITE_P(
    DepthsZeroToNine, ProgressionRows,
    testing::Values(ProgressionCase{0, 9, 1, '3', 6, "4 5 6 7 8 9"},
                    ProgressionCase{0, 9, 1, '7', 6, "8 9 0 1 2 3"},
                    ProgressionCase{0, 9, 2, '3', 4, "5 7 9 1"}, ProgressionCase{0, 9, 2, '4', 4, "6 8 0 2"},
                    ProgressionCase{0, 9, 3, '2', 3, "5 8 -"}, ProgressionCase{0, 9, 3, '5', 3, "8 2 -"},
                    ProgressionCase{0, 9, 3, '8', 3, "5 2 -"}, ProgressionCase{0, 9, 4, '2', 2, "6 -"},
                    ProgressionCase{0, 9, 4, '5', 2, "9 1"}));

INSTANTIATE_TEST_SUITE_P(OtherRanges, ProgressionRows,
                         testing::Values(
                             // The even series wraps to 2, and the fourth value would repeat 4.
                             ProgressionCase{1, 9, 2, '4', 4, "6 8 2 -"},
                             // Five columns, and the top master depth never comes back.
                             ProgressionCase{0, 5, 1, '2', 5, "3 4 5 0 1"},
                             ProgressionCase{0, 5, 1, '5', 5, "0 1 2 3 4"}));

INSTANTIATE_TEST_SUITE_P(
    ZeroIsTen, ProgressionRows,
    testing::Values(
        // "0" is depth 10 both as the top master digit and in a cell.
        ProgressionCase{1, 10, 1, '0', 6, "1 2 3 4 5 6"}, ProgressionCase{1, 10, 1, '8', 6, "9 0 1 2 3 4"},
        // Depth 10 belongs to the even series.
        ProgressionCase{1, 10, 2, '0', 4, "2 4 6 8"}, ProgressionCase{1, 10, 2, '7', 4, "9 1 3 5"},
        ProgressionCase{1, 10, 4, '0', 2, "6 2"}, ProgressionCase{1, 10, 3, '0', 3, "7 4 1"}));

// With depths 0..10 the digit "0" is depth 10, so depth 0 cannot be written: wrapping to it
// would print "0" a second time (or turn a whole row into "-" under a top master "0").
INSTANTIATE_TEST_SUITE_P(WrapToLowestWritableDepth, ProgressionRows,
                         testing::Values(ProgressionCase{0, 10, 1, '8', 6, "9 0 1 2 3 4"},
                                         ProgressionCase{0, 10, 1, '0', 6, "1 2 3 4 5 6"},
                                         ProgressionCase{0, 10, 2, '0', 5, "2 4 6 8 -"},
                                         ProgressionCase{0, 10, 2, '9', 5, "1 3 5 7 -"},
                                         ProgressionCase{0, 10, 2, '6', 5, "8 0 2 4 -"}));

// Running down after a turn must not write a depth the manufacturer does not have: with
// shallowest 1 a "0" would be no depth at all, and with depths to 10 it would read as 10.
INSTANTIATE_TEST_SUITE_P(
    NoDepthBelowTheShallowEnd, ProgressionRows,
    testing::Values(ProgressionCase{1, 9, 4, '4', 2, "8 -"}, ProgressionCase{1, 10, 4, '4', 2, "8 -"},
                    ProgressionCase{0, 10, 4, '4', 2, "8 -"}, ProgressionCase{0, 10, 3, '9', 3, "6 3 -"},
                    ProgressionCase{0, 10, 3, '3', 3, "6 9 -"}, ProgressionCase{0, 9, 4, '4', 2, "8 0"}));

TEST(GenerateProgression, ProgressesEveryChamberOnItsOwn) {
    GenerationState state = MakeState(0, 9, 2, "3472");
    state.ChamberRoles = "MSRR";
    GenerateProgression(state);
    EXPECT_EQ(Row(state, 1), "5 7 9 1");
    EXPECT_EQ(Row(state, 2), "6 8 0 2");
    EXPECT_EQ(Row(state, 3), "9 1 3 5");
    EXPECT_EQ(Row(state, 4), "4 6 8 0");
}

TEST(GenerateProgression, UsesOnlyTheFirstChambersDigits) {
    GenerationState state = MakeState(0, 9, 1, "3333");
    state.Chambers = 3;
    GenerateProgression(state);
    EXPECT_EQ(Row(state, 3), "4 5 6 7 8 9");
    EXPECT_EQ(state.ProgressionTable[4][1], "");
}

TEST(GenerateProgression, LeavesNothingOfAnEarlierLargerSystem) {
    GenerationState state = MakeState(0, 9, 1, "1234567");
    GenerateProgression(state);
    ASSERT_EQ(state.ProgressionTable[7][6], "3");

    // No ClearProgressionTable in between: the generation must not depend on it.
    state.Chambers = 4;
    state.StepIncrement = 3;
    state.TopMasterKey = "5555";
    GenerateProgression(state);
    EXPECT_EQ(state.ProgressionSteps, 3);
    for (int chamber = 1; chamber <= MaxChambers; ++chamber) {
        for (int column = 1; column <= MaxProgressionColumns; ++column) {
            const auto& cell =
                state.ProgressionTable[static_cast<std::size_t>(chamber)][static_cast<std::size_t>(column)];
            if (chamber > 4 || column > 3)
                EXPECT_EQ(cell, "") << chamber << "/" << column;
            else
                EXPECT_EQ(cell.size(), 1U) << chamber << "/" << column;
        }
    }
}

TEST(ClearProgressionTable, EmptiesEveryCell) {
    GenerationState state = MakeState(0, 9, 1, "1234567");
    GenerateProgression(state);
    ClearProgressionTable(state);
    for (const auto& row : state.ProgressionTable)
        for (const auto& cell : row)
            EXPECT_EQ(cell, "");
}

TEST(GenerateProgression, RefusesRequestsTheDialogNeverHandsOver) {
    const auto refuses = [](GenerationState state) {
        EXPECT_THROW(GenerateProgression(state), std::invalid_argument);
    };
    GenerationState valid = MakeState(0, 9, 1, "12345");

    GenerationState tooFew = valid;
    tooFew.Chambers = 2;
    refuses(tooFew);
    GenerationState tooMany = valid;
    tooMany.Chambers = 8;
    tooMany.TopMasterKey = "12345678";
    refuses(tooMany);
    GenerationState shortKey = valid;
    shortKey.TopMasterKey = "1234";
    refuses(shortKey);
    GenerationState letter = valid;
    letter.TopMasterKey = "12a45";
    refuses(letter);
    GenerationState noStep = valid;
    noStep.StepIncrement = 0;
    refuses(noStep);
    GenerationState bigStep = valid;
    bigStep.StepIncrement = 5;
    refuses(bigStep);
    GenerationState tooDeepDigit = MakeState(1, 7, 1, "12385");
    refuses(tooDeepDigit);
    GenerationState zeroWithoutDepthZero = MakeState(1, 9, 1, "12305");
    refuses(zeroWithoutDepthZero);
    GenerationState tenWrittenAsTen = MakeState(1, 10, 1, "12345");
    tenWrittenAsTen.ZeroIsTen = false;
    refuses(tenWrittenAsTen);

    EXPECT_NO_THROW(GenerateProgression(valid));
}

namespace {

// Every cell of every table for every top master key of chambers digits: "-" or a depth the
// manufacturer has, never the chamber's top master digit, and the same on a second run. One
// state serves all keys, so anything one generation leaves behind would show in the next.
void CheckEveryTopMasterKey(int shallowestCut, int deepestCut, int chambers) {
    const int lowestDigit = deepestCut == 10 ? 0 : shallowestCut;
    const int highestDigit = deepestCut == 10 ? 9 : deepestCut;
    const int base = highestDigit - lowestDigit + 1;
    int keyCount = 1;
    for (int i = 0; i < chambers; ++i)
        keyCount *= base;

    for (int step = 1; step <= 4; ++step) {
        GenerationState state = MakeState(shallowestCut, deepestCut, step, std::string(7, '9'));
        state.Chambers = chambers;
        const int lowestDepth = deepestCut == 10 ? std::max(1, shallowestCut) : shallowestCut;
        for (int number = 0; number < keyCount; ++number) {
            std::string key;
            for (int rest = number, i = 0; i < chambers; ++i, rest /= base)
                key.insert(key.begin(), static_cast<char>('0' + lowestDigit + rest % base));
            state.TopMasterKey = key;
            GenerateProgression(state);
            const ProgressionGrid first = state.ProgressionTable;
            GenerateProgression(state);
            ASSERT_EQ(state.ProgressionTable, first) << key << " step " << step;

            for (int chamber = 1; chamber <= chambers; ++chamber) {
                for (int column = 1; column <= state.ProgressionSteps; ++column) {
                    const std::string& cell =
                        first[static_cast<std::size_t>(chamber)][static_cast<std::size_t>(column)];
                    ASSERT_EQ(cell.size(), 1U) << key << " step " << step;
                    ASSERT_NE(cell[0], key[static_cast<std::size_t>(chamber - 1)]) << key << " step " << step;
                    if (cell == "-")
                        continue;
                    const int depth = DepthOfDigit(cell[0], state.ZeroIsTen);
                    ASSERT_GE(depth, lowestDepth) << key << " step " << step << " chamber " << chamber;
                    ASSERT_LE(depth, deepestCut) << key << " step " << step << " chamber " << chamber;
                }
            }
        }
    }
}

} // namespace

TEST(GenerateProgressionProperty, FiveChambersDepthsZeroToNine) {
    CheckEveryTopMasterKey(0, 9, 5);
}

TEST(GenerateProgressionProperty, ThreeChambersOtherRanges) {
    CheckEveryTopMasterKey(1, 9, 3);
    CheckEveryTopMasterKey(0, 10, 3);
    CheckEveryTopMasterKey(1, 10, 3);
    CheckEveryTopMasterKey(0, 5, 3);
    CheckEveryTopMasterKey(1, 7, 3);
}

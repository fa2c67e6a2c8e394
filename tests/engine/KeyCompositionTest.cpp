#include "engine/KeyComposition.h"
#include "engine/Progression.h"

#include "TestState.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace varnholt;
using varnholt::test::MakeState;

namespace {

ChamberFlags AllUsable() {
    ChamberFlags flags{};
    flags.fill(true);
    return flags;
}

// Composes the key with the given bitting, passing it as the bands do: positional values in sums.
struct Composition {
    bool keyExists = false;
    bool allEqual = false;
    bool compatible = false;
};

Composition Compose(GenerationState& state, const std::string& bitting,
                    const ChamberFlags& usable = AllUsable()) {
    const int number = std::stoi(bitting);
    Composition result;
    ComposeKey(state, number / 1000 * 1000, number % 1000 / 100 * 100, number % 100 / 10 * 10, number % 10, 0,
               usable, result.keyExists, result.allEqual, result.compatible);
    return result;
}

GenerationState ComposingState(const std::string& topMasterKey) {
    GenerationState state = MakeState(0, 9, 1, topMasterKey);
    state.KeyCompositionEnabled = true;
    for (int chamber = 1; chamber <= state.Chambers; ++chamber)
        state.TmkCuts[static_cast<std::size_t>(chamber)] =
            topMasterKey[static_cast<std::size_t>(chamber - 1)] - '0';
    return state;
}

GenerationState InterchangeableCore(const std::string& topMasterKey, const std::string& controlKey,
                                    const std::string& controlChambers) {
    GenerationState state = ComposingState(topMasterKey);
    state.IsICore = true;
    state.ControlKey = controlKey;
    state.ControlChambers = controlChambers;
    state.ControlFactor = 4;
    state.StepIncrement = 2;
    for (int chamber = 1; chamber <= state.Chambers; ++chamber)
        state.ControlCuts[static_cast<std::size_t>(chamber)] =
            controlKey[static_cast<std::size_t>(chamber - 1)] - '0';
    return state;
}

} // namespace

TEST(TakeProgressionValue, TakesTheDigitAtItsPlaceAndMovesOn) {
    ProgressionGrid table{};
    table[2][1] = "4";
    table[2][2] = "-";
    table[2][3] = "7";
    int column = 1;
    int positional = 0;
    bool usable = false;

    TakeProgressionValue(table, 2, 1000, column, 3, positional, usable);
    EXPECT_EQ(positional, 4000);
    EXPECT_TRUE(usable);
    EXPECT_EQ(column, 2);

    TakeProgressionValue(table, 2, 1000, column, 3, positional, usable);
    EXPECT_EQ(positional, 4000) << "a \"-\" keeps the last value";
    EXPECT_FALSE(usable);
    EXPECT_EQ(column, 3);

    TakeProgressionValue(table, 2, 1000, column, 3, positional, usable);
    EXPECT_EQ(positional, 7000);
    EXPECT_TRUE(usable);
    EXPECT_EQ(column, 1) << "wraps after the last column";
}

TEST(TakeProgressionValue, RefusesPositionsOutsideTheTable) {
    ProgressionGrid table{};
    int positional = 0;
    bool usable = false;
    int column = 1;
    EXPECT_THROW(TakeProgressionValue(table, 0, 1, column, 3, positional, usable), std::invalid_argument);
    EXPECT_THROW(TakeProgressionValue(table, 8, 1, column, 3, positional, usable), std::invalid_argument);
    column = 9;
    EXPECT_THROW(TakeProgressionValue(table, 1, 1, column, 3, positional, usable), std::invalid_argument);
    column = 0;
    EXPECT_THROW(TakeProgressionValue(table, 1, 1, column, 3, positional, usable), std::invalid_argument);
    column = 1;
    EXPECT_THROW(TakeProgressionValue(table, 1, 1, column, 9, positional, usable), std::invalid_argument);
}

TEST(ComposeKey, SplitsTheKeyNumberIntoOneDigitPerChamber) {
    GenerationState state = ComposingState("123");
    EXPECT_TRUE(Compose(state, "47").keyExists);
    EXPECT_EQ(state.KeyBitting, "047");
    EXPECT_EQ(state.KeyCuts[1], 0);
    EXPECT_EQ(state.KeyCuts[3], 7);

    GenerationState seven = ComposingState("1234567");
    bool exists = false;
    bool allEqual = false;
    bool compatible = false;
    ComposeKey(seven, 7000000, 600000, 50000, 4000, 321, AllUsable(), exists, allEqual, compatible);
    EXPECT_EQ(seven.KeyBitting, "7654321");
    EXPECT_EQ(seven.KeyCuts[7], 1);
    EXPECT_EQ(seven.KeyMark, ' ');
}

TEST(ComposeKey, MaximumAdjacentCutAllowsAnEqualDifference) {
    GenerationState state = ComposingState("5555");
    state.MaxAdjacentCut = 7;
    Compose(state, "2955");
    EXPECT_EQ(state.KeyMark, ' ');
    state.MaxAdjacentCut = 6;
    Compose(state, "2955");
    EXPECT_EQ(state.KeyMark, '*');
    Compose(state, "5529");
    EXPECT_EQ(state.KeyMark, '*') << "the last pair counts too";
    Compose(state, "2828");
    EXPECT_EQ(state.KeyMark, ' ');
}

TEST(ComposeKey, ComparesOnlyThePairsOfThisSystem) {
    GenerationState state = ComposingState("1111111");
    Compose(state, "1110000");
    state.Chambers = 3;
    state.MaxAdjacentCut = 3;
    Compose(state, "555");
    EXPECT_EQ(state.KeyMark, ' ');
    EXPECT_EQ(state.KeyCuts[4], 0);
}

TEST(ComposeKey, ReadsZeroAsDepthTenWithDepthsToTen) {
    GenerationState state = ComposingState("5555");
    state.DeepestCut = 10;
    state.ShallowestCut = 1;
    state.ZeroIsTen = true;
    state.MaxAdjacentCut = 3;
    Compose(state, "9099");
    EXPECT_EQ(state.KeyMark, ' ');
    EXPECT_EQ(state.KeyBitting, "9099");
    EXPECT_EQ(state.KeyCuts[2], 0) << "the cut stays written as 0";
    Compose(state, "1099");
    EXPECT_EQ(state.KeyMark, '*');
}

TEST(ComposeKey, KeyWithoutUsableChamberIsTheRowOfDashes) {
    GenerationState state = ComposingState("12345");
    ChamberFlags usable = AllUsable();
    usable[3] = false;
    bool exists = true;
    bool allEqual = true;
    bool compatible = true;
    ComposeKey(state, 12345, 0, 0, 0, 0, usable, exists, allEqual, compatible);
    EXPECT_FALSE(exists);
    EXPECT_EQ(state.KeyBitting, "-----");
    EXPECT_EQ(state.KeyMark, '*');
    EXPECT_TRUE(allEqual) << "left as it was";
    EXPECT_TRUE(compatible) << "left as it was";

    // Chambers beyond the system do not count.
    usable = AllUsable();
    usable[6] = false;
    ComposeKey(state, 12345, 0, 0, 0, 0, usable, exists, allEqual, compatible);
    EXPECT_TRUE(exists);

    state.KeyCompositionEnabled = false;
    ComposeKey(state, 12345, 0, 0, 0, 0, AllUsable(), exists, allEqual, compatible);
    EXPECT_FALSE(exists);
    EXPECT_EQ(state.KeyBitting, "-----");
}

TEST(ComposeKey, ControlDepthPlusFactorOrAWholeStepAwayPasses) {
    // Control chamber 2 with control depth 3, factor 4, step 2: depth 7 is the control shear line.
    GenerationState state = InterchangeableCore("1111", "1311", "NYNN");
    for (const char passing : {'5', '7'}) {
        const Composition result = Compose(state, std::string("1") + passing + "11");
        EXPECT_EQ(state.KeyMark, ' ') << passing;
        EXPECT_TRUE(result.compatible) << passing;
        EXPECT_FALSE(result.allEqual);
    }
    for (const char failing : {'6', '8'}) {
        const Composition result = Compose(state, std::string("1") + failing + "11");
        EXPECT_EQ(state.KeyMark, '*') << failing;
        EXPECT_FALSE(result.compatible) << failing;
    }
    // Depth 9 stands a whole step off the shear line, but above it: the control pin would be
    // below nothing, so the key's cylinder cannot be pinned.
    const Composition aboveTheShearLine = Compose(state, "1911");
    EXPECT_TRUE(aboveTheShearLine.compatible);
    EXPECT_EQ(state.KeyMark, '*');
    // The other chambers are no control chambers: a depth off the control key there does not
    // matter, so long as it is a whole step off the others of its chamber.
    Compose(state, "3711");
    EXPECT_EQ(state.KeyMark, ' ');
    Compose(state, "2711");
    EXPECT_EQ(state.KeyMark, '*');
}

TEST(ComposeKey, ControlKeyLikeTheTopMasterInEveryControlChamberMarksEveryKey) {
    GenerationState state = InterchangeableCore("4444", "4644", "YNYN");
    const Composition result = Compose(state, "2323");
    EXPECT_TRUE(result.allEqual);
    EXPECT_FALSE(result.compatible);
    EXPECT_EQ(state.KeyMark, '*');
    EXPECT_EQ(state.KeyBitting, "2323");

    state.ControlChambers = "YYYN";
    const Composition differing = Compose(state, "2323");
    EXPECT_FALSE(differing.allEqual);
}

TEST(ComposeKey, WithoutCoreOnlyTheControlKeyBittingItselfIsMarked) {
    GenerationState state = ComposingState("4444");
    state.ControlKey = "2323";
    state.ControlChambers = "YYYY";
    const Composition result = Compose(state, "2323");
    EXPECT_TRUE(result.keyExists);
    EXPECT_FALSE(result.allEqual);
    EXPECT_TRUE(result.compatible);
    EXPECT_EQ(state.KeyMark, '*');
    Compose(state, "2324");
    EXPECT_EQ(state.KeyMark, ' ');
}

TEST(ComposeKey, KeyEqualToTheControlKeyIsMarkedWithACoreToo) {
    GenerationState state = InterchangeableCore("1111", "1311", "NYNN");
    Compose(state, "1711");
    EXPECT_EQ(state.KeyMark, ' ');
    state.ControlKey = "1711";
    Compose(state, "1711");
    EXPECT_EQ(state.KeyMark, '*');
}

TEST(ComposeKey, RefusesAKeyNumberWithTooManyDigits) {
    GenerationState state = ComposingState("123");
    bool exists = false;
    bool allEqual = false;
    bool compatible = false;
    EXPECT_THROW(ComposeKey(state, 1000, 0, 0, 0, 0, AllUsable(), exists, allEqual, compatible),
                 std::invalid_argument);
    EXPECT_THROW(ComposeKey(state, -1, 0, 0, 0, 0, AllUsable(), exists, allEqual, compatible),
                 std::invalid_argument);
    state.Chambers = 8;
    EXPECT_THROW(ComposeKey(state, 1, 0, 0, 0, 0, AllUsable(), exists, allEqual, compatible),
                 std::invalid_argument);
}

TEST(CountUsableDepths, CountsTheColumnsThatHoldADepth) {
    GenerationState state = MakeState(0, 9, 3, "2580222");
    GenerateProgression(state);
    CountUsableDepths(state);
    EXPECT_EQ(state.UsableDepthCount[1], 2); // 5 8 -
    EXPECT_EQ(state.UsableDepthCount[4], 3); // 3 6 9
    ASSERT_EQ(state.UsableDepthCount[7], 2);

    state.Chambers = 3;
    state.TopMasterKey = "258";
    state.StepIncrement = 1;
    GenerateProgression(state);
    CountUsableDepths(state);
    EXPECT_EQ(state.UsableDepthCount[1], 6);
    EXPECT_EQ(state.UsableDepthCount[4], 0) << "nothing of the earlier, larger system";
    EXPECT_EQ(state.UsableDepthCount[7], 0);
}

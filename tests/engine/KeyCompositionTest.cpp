#include "engine/KeyComposition.h"
#include "engine/Progression.h"

#include "TestState.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>

using namespace varnholt;
using varnholt::test::MakeState;

namespace {

// A system with its top master and control cuts, as the key schedule checks its keys against.
struct Composing {
    GenerationState state;
    ChamberValues tmkCuts{};
    ChamberValues controlCuts{};
};

ChamberValues CutsOf(const std::string& bitting) {
    ChamberValues cuts{};
    for (std::size_t chamber = 1; chamber <= bitting.size(); ++chamber)
        cuts[chamber] = bitting[chamber - 1] - '0';
    return cuts;
}

KeyCheck Compose(const Composing& system, const std::string& bitting) {
    return CheckComposedKey(system.state, system.tmkCuts, system.controlCuts, CutsOf(bitting), bitting);
}

Composing ComposingState(const std::string& topMasterKey) {
    Composing system{MakeState(0, 9, 1, topMasterKey)};
    system.tmkCuts = CutsOf(topMasterKey);
    return system;
}

Composing InterchangeableCore(const std::string& topMasterKey, const std::string& controlKey,
                              const std::string& controlChambers) {
    Composing system = ComposingState(topMasterKey);
    system.state.IsICore = true;
    system.state.ControlKey = controlKey;
    system.state.ControlChambers = controlChambers;
    system.state.ControlFactor = 4;
    system.state.StepIncrement = 2;
    system.controlCuts = CutsOf(controlKey);
    return system;
}

} // namespace

TEST(BittingOfKeyNumber, SplitsTheKeyNumberIntoOneDigitPerChamber) {
    EXPECT_EQ(BittingOfKeyNumber(47, 3), "047");
    EXPECT_EQ(BittingOfKeyNumber(7654321, 7), "7654321");
    EXPECT_THROW(BittingOfKeyNumber(1000, 3), std::invalid_argument);
    EXPECT_THROW(BittingOfKeyNumber(-1, 3), std::invalid_argument);
}

TEST(CheckComposedKey, MaximumAdjacentCutAllowsAnEqualDifference) {
    Composing system = ComposingState("5555");
    system.state.MaxAdjacentCut = 7;
    EXPECT_EQ(Compose(system, "2955").mark, ' ');
    system.state.MaxAdjacentCut = 6;
    EXPECT_EQ(Compose(system, "2955").mark, '*');
    EXPECT_EQ(Compose(system, "5529").mark, '*') << "the last pair counts too";
    EXPECT_EQ(Compose(system, "2828").mark, ' ');
}

TEST(CheckComposedKey, ReadsZeroAsDepthTenWithDepthsToTen) {
    Composing system = ComposingState("5555");
    system.state.DeepestCut = 10;
    system.state.ShallowestCut = 1;
    system.state.ZeroIsTen = true;
    system.state.MaxAdjacentCut = 3;
    EXPECT_EQ(Compose(system, "9099").mark, ' ');
    EXPECT_EQ(Compose(system, "1099").mark, '*');
}

TEST(CheckComposedKey, ControlDepthPlusFactorOrAWholeStepAwayPasses) {
    // Control chamber 2 with control depth 3, factor 4, step 2: depth 7 is the control shear line.
    const Composing system = InterchangeableCore("1111", "1311", "NYNN");
    for (const char passing : {'5', '7'}) {
        const KeyCheck result = Compose(system, std::string("1") + passing + "11");
        EXPECT_EQ(result.mark, ' ') << passing;
        EXPECT_TRUE(result.controlCompatible) << passing;
        EXPECT_FALSE(result.allControlChambersEqual);
    }
    for (const char failing : {'6', '8'}) {
        const KeyCheck result = Compose(system, std::string("1") + failing + "11");
        EXPECT_EQ(result.mark, '*') << failing;
        EXPECT_FALSE(result.controlCompatible) << failing;
    }
    // Depth 9 stands a whole step off the shear line, but above it: the control pin would be
    // below nothing, so the key's cylinder cannot be pinned.
    const KeyCheck aboveTheShearLine = Compose(system, "1911");
    EXPECT_TRUE(aboveTheShearLine.controlCompatible);
    EXPECT_EQ(aboveTheShearLine.mark, '*');
    // The other chambers are no control chambers: a depth off the control key there does not
    // matter, so long as it is a whole step off the others of its chamber.
    EXPECT_EQ(Compose(system, "3711").mark, ' ');
    EXPECT_EQ(Compose(system, "2711").mark, '*');
}

TEST(CheckComposedKey, ControlKeyLikeTheTopMasterInEveryControlChamberMarksEveryKey) {
    Composing system = InterchangeableCore("4444", "4644", "YNYN");
    const KeyCheck result = Compose(system, "2323");
    EXPECT_TRUE(result.allControlChambersEqual);
    EXPECT_FALSE(result.controlCompatible);
    EXPECT_EQ(result.mark, '*');

    system.state.ControlChambers = "YYYN";
    EXPECT_FALSE(Compose(system, "2323").allControlChambersEqual);
}

TEST(CheckComposedKey, TheControlKeyBittingItselfIsMarkedWithOrWithoutCore) {
    Composing plain = ComposingState("4444");
    plain.state.ControlKey = "2323";
    plain.state.ControlChambers = "YYYY";
    const KeyCheck result = Compose(plain, "2323");
    EXPECT_FALSE(result.allControlChambersEqual);
    EXPECT_TRUE(result.controlCompatible);
    EXPECT_EQ(result.mark, '*');
    EXPECT_EQ(Compose(plain, "2324").mark, ' ');

    Composing core = InterchangeableCore("1111", "1311", "NYNN");
    EXPECT_EQ(Compose(core, "1711").mark, ' ');
    core.state.ControlKey = "1711";
    EXPECT_EQ(Compose(core, "1711").mark, '*');
}

// The rule made once for a system marks every key as the whole check does; without a core the
// mark is also worked out here from M.A.C.S and the control key alone.
TEST(ComposedKeyRule, MarksEveryKeyAsTheWholeCheckDoes) {
    std::mt19937 draw(2311); // fixed: the same keys on every run
    const auto digit = [&draw](int from, int to) { return std::uniform_int_distribution<int>(from, to)(draw); };
    const auto bittingOf = [&](int chambers) {
        std::string bitting;
        for (int chamber = 0; chamber < chambers; ++chamber)
            bitting += static_cast<char>('0' + digit(0, 9));
        return bitting;
    };
    int marked = 0;
    int checked = 0;
    for (int system = 0; system < 400; ++system) {
        const bool zeroIsTen = digit(0, 1) == 1;
        const int chambers = digit(3, 7);
        const bool core = digit(0, 1) == 1;
        Composing composing = core ? InterchangeableCore(bittingOf(chambers), bittingOf(chambers), "")
                                   : ComposingState(bittingOf(chambers));
        if (core) {
            for (int chamber = 0; chamber < MaxChambers; ++chamber)
                composing.state.ControlChambers += digit(0, 2) == 0 ? 'N' : 'Y';
        } else if (digit(0, 3) == 0) {
            composing.state.ControlKey = bittingOf(chambers);
        }
        composing.state.DeepestCut = zeroIsTen ? 10 : 9;
        composing.state.ShallowestCut = zeroIsTen ? 1 : 0;
        composing.state.ZeroIsTen = zeroIsTen;
        const std::array<int, 4> limits{3, 5, 9, 20}; // 20: the manufacturer has no M.A.C.S
        composing.state.MaxAdjacentCut = limits[static_cast<std::size_t>(digit(0, 3))];
        const KeySystemRequest& request = composing.state;
        const ComposedKeyRule rule(request, composing.tmkCuts, composing.controlCuts);
        for (int key = 0; key < 60; ++key) {
            // Now and then the control key itself, which is marked in any system.
            const std::string bitting =
                key == 0 && !request.ControlKey.empty() ? request.ControlKey : bittingOf(chambers);
            const ChamberValues cuts = CutsOf(bitting);
            const KeyCheck whole = CheckComposedKey(request, composing.tmkCuts, composing.controlCuts, cuts, bitting);
            ASSERT_EQ(rule.Mark(cuts, bitting), whole.mark) << bitting << " in system " << system;
            ASSERT_EQ(rule.Check(cuts, bitting).unpinnable, whole.unpinnable) << bitting;
            if (!request.IsICore) {
                bool breaksAdjacentCut = false;
                for (std::size_t chamber = 1; chamber < bitting.size(); ++chamber) {
                    const int here = zeroIsTen && cuts[chamber] == 0 ? 10 : cuts[chamber];
                    const int next = zeroIsTen && cuts[chamber + 1] == 0 ? 10 : cuts[chamber + 1];
                    breaksAdjacentCut = breaksAdjacentCut || std::abs(here - next) > request.MaxAdjacentCut;
                }
                ASSERT_EQ(whole.mark, breaksAdjacentCut || bitting == request.ControlKey ? '*' : ' ') << bitting;
            }
            marked += whole.mark == '*' ? 1 : 0;
            ++checked;
        }
    }
    // Both kinds of key were drawn often enough to mean something.
    EXPECT_GT(marked, checked / 10);
    EXPECT_LT(marked, checked - checked / 10);
}

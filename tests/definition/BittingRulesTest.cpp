#include "definition/BittingRules.h"
#include "definition/DefinitionMessages.h"

#include <gtest/gtest.h>

using namespace varnholt::definition;

namespace {

const CutRules ZeroToNine{0, 9, 5, false};
const CutRules OneToTen{1, 10, 5, true};

} // namespace

TEST(BittingRulesTest, TypedCutsOutsideTheDepthsAreRefusedWithTheFieldsMessages) {
    const CutRules oneToNine{1, 9, 5, false};
    EXPECT_EQ(CheckTypedCut('0', oneToNine), "You must use a number between 1 and 9.");
    EXPECT_EQ(CheckTypedCut('x', oneToNine),
              "This is a numerical field only.\nYou must use a number from 1 through 9");
    EXPECT_FALSE(CheckTypedCut('0', OneToTen));
    EXPECT_FALSE(CheckTypedCut('9', ZeroToNine));
}

TEST(BittingRulesTest, ZeroIsDepthTenForAdjacentCuts) {
    EXPECT_TRUE(AdjacentCutsFit('9', '0', OneToTen));
    EXPECT_FALSE(AdjacentCutsFit('2', '0', OneToTen));
    EXPECT_FALSE(AdjacentCutsFit('3', '9', ZeroToNine));
    EXPECT_TRUE(AdjacentCutsFit('3', '8', ZeroToNine));
}

TEST(BittingRulesTest, WholeKeysAreJudgedCutByCutAsIfTyped) {
    EXPECT_FALSE(ValidateTopMasterKey("384756", 6, ZeroToNine));
    EXPECT_EQ(ValidateTopMasterKey("39", 2, ZeroToNine), AdjacentCutsMessage);
    EXPECT_EQ(ValidateTopMasterKey("3847", 6, ZeroToNine), KeyLengthMessage(6));
    EXPECT_EQ(ValidateTopMasterKey("38a716", 6, ZeroToNine), NotANumberMessage(0, 9));
    const CutRules recordedWithoutLimit{0, 9, UnlimitedAdjacentCut, false};
    EXPECT_FALSE(ValidateTopMasterKey("090909", 6, recordedWithoutLimit));
}

TEST(BittingRulesTest, ControlKeysMayNotCopyTheTopMasterOrPutNineUnderZero) {
    EXPECT_EQ(ValidateControlKey("384756", "384756", "YYYYYYY", 6, ZeroToNine), SameKeyMessage);
    EXPECT_EQ(ValidateControlKey("495555", "405555", "YYYYYYY", 6, ZeroToNine), CompatibilityMessage);
    EXPECT_FALSE(ValidateControlKey("485555", "405555", "YYYYYYY", 6, ZeroToNine));
    EXPECT_FALSE(ValidateControlKey("895555", "415555", "YYYYYYY", 6, ZeroToNine));
}

TEST(BittingRulesTest, AControlKeyMustDifferFromTheTopMasterInAControlChamber) {
    const CutRules sevenPinCore{0, 9, 7, false};
    // Differs only in chamber 6, which holds no control pin.
    EXPECT_EQ(ValidateControlKey("4849736", "4849706", "YNYNYNY", 7, sevenPinCore), ControlChamberMessage);
    EXPECT_EQ(ValidateControlKey("4849706", "4849706", "YNYNYNY", 7, sevenPinCore), SameKeyMessage);
    EXPECT_FALSE(ValidateControlKey("4849606", "4849706", "YNYNYNY", 7, sevenPinCore));
    // Only the chambers the key has count: a 'Y' beyond them is no control chamber of this system.
    EXPECT_EQ(ValidateControlKey("384766", "384756", "YNNNNNY", 6, ZeroToNine), ControlChamberMessage);
}

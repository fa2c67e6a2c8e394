#include "definition/Capacity.h"
#include "definition/DefinitionMessages.h"

#include <gtest/gtest.h>

#include <limits>

using namespace varnholt::definition;

TEST(CapacityTest, AlternativeDepthsFollowTheManufacturersDepthsAndStepCappedAtSixColumns) {
    EXPECT_EQ(DialogProgressionSteps(0, 9, 2), 4);
    EXPECT_EQ(DialogProgressionSteps(0, 9, 3), 2);
    // 1..9 step 1 would promise 8 alternatives, but a generation forms no more than 6 columns.
    EXPECT_EQ(DialogProgressionSteps(1, 9, 1), 6);
    EXPECT_EQ(DialogProgressionSteps(1, 10, 1), 6);
    EXPECT_EQ(DialogProgressionSteps(1, 5, 4), 0);
    // Records that a checked entry never stores do not divide by zero or go negative.
    EXPECT_EQ(DialogProgressionSteps(0, 9, 0), 0);
    EXPECT_EQ(DialogProgressionSteps(9, 0, 1), 0);
}

TEST(CapacityTest, PowersSaturateInsteadOfOverflowing) {
    EXPECT_EQ(Power(4, 0), 1);
    EXPECT_EQ(Power(6, 7), 279936);
    EXPECT_EQ(Power(0, 3), 0);
    EXPECT_EQ(Power(4, -1), 0);
    EXPECT_EQ(Power(1000000, 4), std::numeric_limits<std::int64_t>::max());
}

TEST(CapacityTest, ChambersNeededIsTheSmallestPowerThatHoldsTheCount) {
    EXPECT_EQ(ChambersNeeded(1, 4, 6), 1);
    EXPECT_EQ(ChambersNeeded(4, 4, 6), 1);
    EXPECT_EQ(ChambersNeeded(5, 4, 6), 2);
    EXPECT_EQ(ChambersNeeded(10, 4, 6), 2);
    EXPECT_EQ(ChambersNeeded(64, 4, 6), 3);
    // Beyond B^(N-1) it stops at N-1 and the caller sees that B^(N-1) is too small.
    EXPECT_EQ(ChambersNeeded(5000, 4, 6), 5);
}

TEST(CapacityTest, MastersAndSubMastersAvailableForDepthsZeroToNineStepTwo) {
    EXPECT_EQ(MastersAvailable(4, 6), 64);
    EXPECT_EQ(MastersAvailable(4, 4), 4);
    EXPECT_EQ(MastersAvailable(4, 3), 1);
    EXPECT_EQ(SubMastersAvailable(10, 4, 6), 4);
    EXPECT_EQ(SubMastersAvailable(4, 4, 5), 4);
    for (int masters = 5; masters <= 16; ++masters) {
        EXPECT_EQ(SubMastersAvailable(masters, 4, 5), 0) << masters << " masters";
    }
    EXPECT_EQ(SubMastersAvailable(3, 4, 4), 0);
}

TEST(CapacityTest, ThreeChambersLeaveNoSubMastersRatherThanANegativePower) {
    EXPECT_EQ(SubMastersAvailable(0, 4, 3), 0);
    EXPECT_EQ(SubMastersAvailable(1, 4, 3), 0);
}

TEST(CapacityTest, CheckCapacityGivesTheChangeKeysLeftOrTheLevelThatDoesNotFit) {
    auto fits = CheckCapacity(10, 3, 4, 6);
    EXPECT_EQ(fits.verdict, CapacityVerdict::Fits);
    EXPECT_EQ(fits.masterChambers, 2);
    EXPECT_EQ(fits.subMasterChambers, 1);
    EXPECT_EQ(fits.keysAvailable, 64);

    EXPECT_EQ(CheckCapacity(0, 0, 4, 6).keysAvailable, 4096);
    EXPECT_EQ(CheckCapacity(1025, 0, 4, 6).verdict, CapacityVerdict::TooManyMasters);
    // Masters on two chambers and sub-masters on four leave no chamber for change keys.
    EXPECT_EQ(CheckCapacity(10, 65, 4, 6).verdict, CapacityVerdict::TooManySubMasters);
    EXPECT_EQ(CheckCapacity(0, 2000, 4, 6).verdict, CapacityVerdict::TooManySubMasters);
}

TEST(CapacityTest, ChamberRolesAlwaysHaveOneLetterPerChamber) {
    EXPECT_EQ(BuildChamberRoles({1, 1}, 6), "MSRRRR");
    EXPECT_EQ(BuildChamberRoles({2, 0}, 5), "MMRRR");
    EXPECT_EQ(BuildChamberRoles({0, 0}, 5), "RRRRR");
    // Sub-master chambers without master chambers cannot shorten the roles.
    EXPECT_EQ(BuildChamberRoles({0, 2}, 6), "RRRRRR");
    EXPECT_EQ(BuildChamberRoles({5, 5}, 7), "MMMMMSS");
    EXPECT_EQ(ComputeChamberCounts(0, 3, 4, 6).subMasterChambers, 0);
}

TEST(CapacityTest, PlannedQuantitiesRefuseWithTheDialogsMessages) {
    EXPECT_EQ(PlanQuantities(65, 0, std::nullopt, 4, 6).refusal, AboveAvailableMessage);
    EXPECT_EQ(PlanQuantities(0, 3, std::nullopt, 4, 6).refusal, NoMastersMessage);
    EXPECT_EQ(PlanQuantities(10, 65, std::nullopt, 4, 6).refusal, TooManySubMastersMessage);
    EXPECT_EQ(PlanQuantities(10, 3, 65, 4, 6).refusal, TooManyKeysMessage);
}

TEST(CapacityTest, PlannedQuantitiesTakeAllKeysWhenNoneAreNamedAndLowerSubMasters) {
    const QuantityPlan plan = PlanQuantities(10, 3, std::nullopt, 4, 6);
    ASSERT_FALSE(plan.refusal);
    EXPECT_EQ(plan.changeKeyCount, 64);
    EXPECT_EQ(plan.chamberRoles, "MMSRRR");

    const QuantityPlan lowered = PlanQuantities(10, 9, 10, 4, 6);
    ASSERT_FALSE(lowered.refusal);
    EXPECT_EQ(lowered.subMasterCount, 4);
    EXPECT_EQ(lowered.chamberRoles, "MMSRRR");
}

TEST(CapacityTest, WhereNoSubMasterFitsThePlanTakesNoneWithoutAWord) {
    const QuantityPlan plan = PlanQuantities(3, 2, std::nullopt, 4, 4);
    ASSERT_FALSE(plan.refusal);
    EXPECT_EQ(plan.subMasterCount, 0);
    EXPECT_EQ(plan.changeKeyCount, 64);
    EXPECT_EQ(plan.chamberRoles, "MRRR");
    EXPECT_FALSE(PlanQuantities(0, 3, std::nullopt, 4, 4).refusal);
}

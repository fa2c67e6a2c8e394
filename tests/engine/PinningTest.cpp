#include "engine/Pinning.h"

#include "TestState.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using namespace varnholt;

namespace {

// One interchangeable-core chamber (chamber 1 of a 3-chamber system) with the given depths;
// chambers 2 and 3 get a stack that pins even with a step of 4, so only chamber 1 matters.
GenerationState CoreWithChamberOne(int keyCut, int topCut, int controlCut, bool controlChamber) {
    GenerationState state = varnholt::test::MakeState(0, 9, 1, "555");
    state.IsICore = true;
    state.ControlChambers = controlChamber ? "YNNNNNN" : "NNNNNNN";
    state.ControlFactor = 6;
    state.StackTotal = 23;
    state.KeyCuts = {0, keyCut, 1, 1, 0, 0, 0, 0};
    state.TmkCuts = {0, topCut, 5, 5, 0, 0, 0, 0};
    state.ControlCuts = {0, controlCut, 9, 9, 0, 0, 0, 0};
    return state;
}

std::string Piece(const std::string& pinsText, int chamber) {
    return pinsText.substr(static_cast<std::size_t>(chamber - 1) * 3, 3);
}

} // namespace

TEST(StandardPins, BottomIsTheShallowerDepthMasterTheDifference) {
    const StandardPins pins = ComputeStandardPins(7, 3);
    EXPECT_EQ(pins.bottomPin, 3);
    EXPECT_EQ(pins.masterPin, 4);
    const StandardPins tenUnderSix = ComputeStandardPins(10, 6);
    EXPECT_EQ(tenUnderSix.bottomPin, 6);
    EXPECT_EQ(tenUnderSix.masterPin, 4);
}

TEST(ComputeIcPinning, ControlChamberLiftsTheControlShearLine) {
    GenerationState state = CoreWithChamberOne(4, 7, 5, true);
    bool usable = false;
    ComputeIcPinning(state, usable);
    EXPECT_TRUE(usable);
    EXPECT_EQ(Piece(state.BottomPinsText, 1), "  4");
    EXPECT_EQ(Piece(state.MasterPinsText, 1), "  3");
    EXPECT_EQ(Piece(state.ControlPinsText, 1), "  4"); // 5 + 6 - 7
    EXPECT_EQ(Piece(state.TopPinsText, 1), " 12");     // 23 - (4 + 4 + 3)
    EXPECT_EQ(state.BottomPinsText.size(), 9U);
    EXPECT_EQ(state.KeyMark, ' ');
}

TEST(ComputeIcPinning, OtherChamberStacksTheThreeDepths) {
    GenerationState state = CoreWithChamberOne(2, 5, 8, false);
    bool usable = false;
    ComputeIcPinning(state, usable);
    EXPECT_EQ(Piece(state.BottomPinsText, 1), "  2");
    EXPECT_EQ(Piece(state.MasterPinsText, 1), "  3");
    EXPECT_EQ(Piece(state.ControlPinsText, 1), "  3"); // the control depth is the highest: 8 - 5
    EXPECT_EQ(Piece(state.TopPinsText, 1), " 15");     // 23 - 8

    // The highest control depth above two equal depths takes the whole difference.
    GenerationState equalBelow = CoreWithChamberOne(3, 6, 9, false);
    equalBelow.KeyCuts[1] = 6;
    equalBelow.TmkCuts[1] = 6;
    ComputeIcPinning(equalBelow, usable);
    EXPECT_EQ(Piece(equalBelow.BottomPinsText, 1), "  6");
    EXPECT_EQ(Piece(equalBelow.MasterPinsText, 1), " --");
    EXPECT_EQ(Piece(equalBelow.ControlPinsText, 1), "  3");
    EXPECT_EQ(Piece(equalBelow.TopPinsText, 1), " 14");

    // A key cut as deep as the control key needs no control pin.
    GenerationState keyAtControl = CoreWithChamberOne(8, 5, 8, false);
    ComputeIcPinning(keyAtControl, usable);
    EXPECT_EQ(Piece(keyAtControl.BottomPinsText, 1), "  5");
    EXPECT_EQ(Piece(keyAtControl.MasterPinsText, 1), "  3");
    EXPECT_EQ(Piece(keyAtControl.ControlPinsText, 1), " --");
    EXPECT_EQ(Piece(keyAtControl.TopPinsText, 1), " 15");
}

TEST(ComputeIcPinning, PinsThinnerThanAStepCannotBeUsed) {
    GenerationState state = CoreWithChamberOne(4, 7, 5, true);
    state.StepIncrement = 4; // master pin 3 and control pin 4
    bool usable = true;
    ComputeIcPinning(state, usable);
    EXPECT_FALSE(usable);
    EXPECT_EQ(state.KeyMark, '*');
    EXPECT_EQ(Piece(state.ControlPinsText, 1), "  *");
    EXPECT_EQ(Piece(state.MasterPinsText, 1), "  3");

    GenerationState negative = CoreWithChamberOne(9, 2, 1, true);
    negative.ControlFactor = 1; // 1 + 1 - 9 = -7
    ComputeIcPinning(negative, usable);
    EXPECT_FALSE(usable);
    EXPECT_EQ(Piece(negative.ControlPinsText, 1), "  *");
}

TEST(ComputeIcPinning, TopPinNeverGoesBelowNothing) {
    GenerationState state = CoreWithChamberOne(4, 9, 9, true);
    state.StackTotal = 12; // 4 + 5 + (9 + 6 - 9) = 15 > 12
    bool usable = false;
    ComputeIcPinning(state, usable);
    EXPECT_EQ(Piece(state.TopPinsText, 1), " --");
}

TEST(ComputeIcPinning, ZeroIsDepthTenWithDepthsToTen) {
    GenerationState state = CoreWithChamberOne(0, 6, 5, true);
    state.ShallowestCut = 1;
    state.DeepestCut = 10;
    state.ZeroIsTen = true;
    bool usable = false;
    ComputeIcPinning(state, usable);
    EXPECT_EQ(Piece(state.BottomPinsText, 1), "  6");
    EXPECT_EQ(Piece(state.MasterPinsText, 1), "  4");
    EXPECT_EQ(Piece(state.ControlPinsText, 1), "  1"); // 5 + 6 - 10
    EXPECT_EQ(state.KeyCuts[1], 0) << "the cut stays written as 0";
}

TEST(ComputeIcPinning, ChambersLeftOutGetBlankPiecesAndMarkNothing) {
    GenerationState state = CoreWithChamberOne(4, 7, 5, true);
    state.StepIncrement = 4;
    ChamberFlags pinOnly{};
    pinOnly[2] = true;
    pinOnly[3] = true;
    bool usable = false;
    ComputeIcPinning(state, pinOnly, usable);
    EXPECT_TRUE(usable);
    EXPECT_EQ(state.KeyMark, ' ');
    EXPECT_EQ(Piece(state.BottomPinsText, 1), "   ");
    EXPECT_EQ(Piece(state.TopPinsText, 1), "   ");
    EXPECT_EQ(Piece(state.BottomPinsText, 2), "  1");
}

TEST(ComputeIcPinning, RequiresAnInterchangeableCore) {
    GenerationState state = CoreWithChamberOne(4, 7, 5, true);
    state.IsICore = false;
    bool usable = false;
    EXPECT_THROW(ComputeIcPinning(state, usable), std::logic_error);
}

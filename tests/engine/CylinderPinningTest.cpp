#include "TestState.h"

#include "engine/CylinderPinning.h"
#include "engine/KeySchedule.h"
#include "engine/Progression.h"

#include <gtest/gtest.h>

namespace varnholt {
namespace {

std::string Pins(const ChamberPinning& pins) {
    std::string text = std::to_string(pins.bottomPin) + "/" + std::to_string(pins.masterPin);
    if (pins.controlPin != 0 || pins.topPin != 0)
        text += "/" + std::to_string(pins.controlPin) + "/" + std::to_string(pins.topPin);
    return pins.pinnable ? text : "*";
}

std::string Cylinder(const KeySystemRequest& request, const std::string& bitting) {
    const CylinderPinning pinning = CylinderPinner(request).Pin(bitting);
    std::string text;
    for (int chamber = 0; chamber < request.Chambers; ++chamber)
        text += (chamber > 0 ? " " : "") + Pins(pinning.chambers[static_cast<std::size_t>(chamber)]);
    return text;
}

const ScheduledKey& Find(const KeySchedule& schedule, const std::string& designation, int number) {
    for (const ScheduledKey& key : schedule)
        if (key.listed && key.designation == designation && key.changeKeyNumber == number)
            return key;
    throw std::invalid_argument("no key " + designation);
}

// Top master 24613, steps of 2: the arrays are 4 6 8 0 | 6 8 0 2 | 8 0 2 4 | 3 5 7 9 | 5 7 9 1.
// Master A is 44613, its sub-master AA 46613, and AA's second change key 46035.
TEST(CylinderPinning, FiveChamberChangeKeyUnderASubMasterIsPinnedAgainstTheTopMasterAndOpensToThirtyTwo) {
    GenerationState state = test::MakeState(0, 9, 2, "24613");
    state.MaxAdjacentCut = 7;
    state.ChamberRoles = "MSRRR";
    state.MasterCount = 2;
    state.SubMasterCount = 2;
    state.ChangeKeyCount = 2;
    GenerateProgression(state);
    const KeySchedule schedule = ComputeKeySchedule(state);

    const ScheduledKey& key = Find(schedule, "AA", 2);
    EXPECT_EQ(key.bitting, "46035");
    EXPECT_EQ(Cylinder(state, key.bitting), "2/2 4/2 0/6 1/2 3/2");
    // 2^5 bittings; of the system's keys the top master, A, AA and the key itself.
    const CylinderExposure exposure = ExposureCounter(state, schedule).Exposure(key.bitting);
    EXPECT_EQ(exposure.openingBittings, 32);
    EXPECT_EQ(exposure.systemKeys, 4);
    // The sub-master's own cylinder: chambers 1 and 2 differ from the top master.
    EXPECT_EQ(ExposureCounter(state, schedule).Exposure("46613").openingBittings, 4);
    EXPECT_EQ(ExposureCounter(state, schedule).Exposure("46613").systemKeys, 3);
}

TEST(CylinderPinning, ZeroCountsAsDepthTenForTheKeyAndTheTopMaster) {
    const GenerationState state = test::MakeState(1, 10, 1, "6090");
    // Chamber 1: key "0" (10) over top 6; chamber 2: key 2 under top "0" (10); chamber 4 equal.
    EXPECT_EQ(Cylinder(state, "0290"), "6/4 2/8 9/0 10/0");
}

TEST(CylinderPinning, CoreChamberWhoseMasterPinWouldBeThinnerThanAStepCannotBePinned) {
    GenerationState state = test::MakeState(0, 9, 2, "246424");
    state.MaxAdjacentCut = 7;
    state.IsICore = true;
    state.ControlChambers = "YNYNYNN";
    state.ControlKey = "454646";
    state.ControlFactor = 6;
    state.StackTotal = 23;
    // Chamber 1 (control): bottom 2, control 4 + 6 - 2 = 8, top 23 - 10 = 13. Chamber 2: top
    // master 4, key 4, control 5 leave a pin of 1 in steps of 2.
    EXPECT_EQ(Cylinder(state, "246424"), "2/0/8/13 * 6/0/4/13 4/0/2/17 2/0/8/13 4/0/2/17");
    EXPECT_EQ(Cylinder(state, "446424").substr(0, 10), "2/2/6/13 *");
    EXPECT_FALSE(CylinderPinner(state).Pin("246424").Pinnable(state.Chambers));
}

} // namespace
} // namespace varnholt

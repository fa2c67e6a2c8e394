#include "exports/DoorScheduleCsv.h"

#include <gtest/gtest.h>

namespace varnholt::exports {
namespace {

ScheduledKey Key(KeyLevel level, std::string designation, std::string bitting, KeyIndex master, int number) {
    ScheduledKey key;
    key.level = level;
    key.designation = std::move(designation);
    key.bitting = std::move(bitting);
    key.master = master;
    key.changeKeyNumber = number;
    return key;
}

TEST(DoorScheduleCsv, PinsAreChamberByChamberBottomFirstAndACoreHasAllFourPins) {
    KeySystemRequest request;
    request.MfgName = "BRANDT";
    request.Chambers = 3;
    request.DeepestCut = 9;
    request.StepIncrement = 1;
    request.MaxAdjacentCut = 9;
    request.TopMasterKey = "555";
    request.ControlChambers = "YNN";
    request.MasterCount = 1;
    const KeySchedule schedule{Key(KeyLevel::TopMaster, "", "555", NoKey, 0), Key(KeyLevel::Master, "A", "355", NoKey, 0),
                               Key(KeyLevel::ChangeKey, "A", "335", 1, 1), Key(KeyLevel::ChangeKey, "A", "357", 1, 2),
                               Key(KeyLevel::ChangeKey, "A", "375", 1, 3)};
    systems::Door hall;
    hall.number = "1";
    hall.location = "Hall";
    hall.cylinders = 2;
    hall.targets = systems::ParseDoorTargets("A 1; A 2; A 3").targets;
    systems::Door office = hall;
    office.number = "2";
    office.targets = systems::ParseDoorTargets("A 1").targets;
    const std::vector<systems::Door> doors{hall, office};

    EXPECT_EQ(KeyingScheduleCsvText(doors, systems::DoorSchedule(request, schedule, doors), 3),
              "Door,Location,Cylinders,Keyed To,Operated By,Pins,Opens,System Keys,Unintended Keys,Usable\r\n"
              "1,Hall,2,A 1; A 2; A 3,GMK; A; A 1; A 2; A 3,3/2 3/2/2 5/2,12,5,,yes\r\n"
              "2,Hall,2,A 1,GMK; A; A 1,3/2 3/2 5,4,3,,yes\r\n");

    request.IsICore = true;
    request.ControlKey = "655";
    request.ControlFactor = 6;
    request.StackTotal = 23;
    const std::vector<systems::Door> core{office};
    EXPECT_EQ(KeyingScheduleCsvText(core, systems::DoorSchedule(request, schedule, core), 3),
              "Door,Location,Cylinders,Keyed To,Operated By,Pins,Opens,System Keys,Unintended Keys,Usable\r\n"
              "2,Hall,2,A 1,GMK; A; A 1,3/2/7/11 3/2/-/18 5/-/-/18,4,3,,yes\r\n");
}

} // namespace
} // namespace varnholt::exports

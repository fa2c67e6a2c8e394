#include "engine/CylinderPinning.h"
#include "engine/KeySchedule.h"
#include "engine/Progression.h"
#include "systems/DoorListCsv.h"
#include "systems/DoorSchedule.h"

#include "HandDoorSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <set>

namespace varnholt::systems {
namespace {

using varnholt::testing::FiveChambers;
using varnholt::testing::HandKey;
using varnholt::testing::HandSchedule;

Door DoorTo(std::string number, std::string_view keyedTo) {
    Door door;
    door.number = std::move(number);
    door.targets = ParseDoorTargets(keyedTo).targets;
    return door;
}

std::vector<std::string> Names(const KeyDirectory& keys, const std::vector<std::size_t>& indices) {
    std::vector<std::string> names;
    for (const std::size_t index : indices)
        names.push_back(keys.Designation(index));
    return names;
}

TEST(DoorTargets, AreReadInEveryFormTheKeyListsPrintAndWrittenBackOneWay) {
    EXPECT_EQ(DoorTargetsText(ParseDoorTargets(" gmk ;A; aa1;AA 2 ;AB*; 17 ;GMK *;;").targets),
              "GMK; A; AA 1; AA 2; AB *; 17; GMK *");
    for (const std::string_view bad : {"AA 1 *", "GMK 1", "AA 0", "*", "A-1", "AA 1234567", "1 2"})
        EXPECT_FALSE(ParseDoorTarget(bad)) << bad;
    EXPECT_EQ(ParseDoorTargets("AA 1; A-1").unreadable, "A-1");

    const KeySchedule schedule = HandSchedule();
    const KeyDirectory keys(schedule, true);
    EXPECT_EQ(Names(keys, keys.Resolve(*ParseDoorTarget("A *"))),
              (std::vector<std::string>{"A", "AA", "AB", "AA 1", "AA 2", "AB 1", "AB 2"}));
    EXPECT_EQ(Names(keys, keys.Resolve(*ParseDoorTarget("GMK *"))).size(), schedule.size());
    for (const std::string_view unknown : {"AC", "AA 3", "A 1", "17", "C *", "MK"})
        EXPECT_TRUE(keys.Resolve(*ParseDoorTarget(unknown)).empty()) << unknown;

    // Without masters a change key is its number alone, and the top master is also "MK".
    const KeySchedule plain{HandKey(KeyLevel::TopMaster, "", "555"), HandKey(KeyLevel::ChangeKey, "A", "355", NoKey, NoKey, 17)};
    const KeyDirectory plainKeys(plain, false);
    EXPECT_EQ(Names(plainKeys, plainKeys.Resolve(*ParseDoorTarget("17"))), std::vector<std::string>{"17"});
    EXPECT_EQ(plainKeys.Resolve(*ParseDoorTarget("MK")), std::vector<std::size_t>{0});
}

TEST(DoorSchedule, CrossKeyedDoorNeedsTwoMasterPinsInAChamberAndLetsInKeysOfBothFamilies) {
    KeySystemRequest request = FiveChambers();
    const KeySchedule schedule = HandSchedule();
    const std::vector<Door> doors{DoorTo("101", "AA 1; AB 2"), DoorTo("102", "AA *"), DoorTo("103", "AB 1"),
                                  DoorTo("104", "BA 1; A"), DoorTo("105", "aa1;ab2")};
    const DoorSchedule checked(request, schedule, doors);
    const KeyDirectory& keys = checked.Keys();

    const DoorVerdict& store = checked.Doors()[0].verdict;
    EXPECT_EQ(Names(keys, store.operatedBy), (std::vector<std::string>{"GMK", "A", "AA", "AB", "AA 1", "AB 2"}));
    const std::vector<std::vector<int>> masterPins{{2}, {2, 2}, {2}, {2}, {}};
    for (std::size_t chamber = 0; chamber < 5; ++chamber) {
        EXPECT_EQ(store.cylinder.chambers[chamber].bottomPin, chamber < 3 ? 3 : 5) << chamber;
        EXPECT_EQ(store.cylinder.chambers[chamber].masterPins, masterPins[chamber]) << chamber;
    }
    EXPECT_EQ(store.opens, 2 * 3 * 2 * 2 * 1);
    EXPECT_EQ(store.systemKeys, 8);
    EXPECT_EQ(Names(keys, store.unintended), (std::vector<std::string>{"AA 2", "AB 1"}));
    EXPECT_TRUE(store.Usable());

    const DoorVerdict& commonEntry = checked.Doors()[1].verdict;
    EXPECT_EQ(commonEntry.opens, 16);
    EXPECT_EQ(commonEntry.systemKeys, 5);
    EXPECT_TRUE(commonEntry.unintended.empty());
    EXPECT_EQ(Names(keys, checked.Doors()[3].verdict.unintended), (std::vector<std::string>{"AB", "AB 1"}));

    EXPECT_EQ(checked.KeyedAlike(), (std::vector<std::vector<std::size_t>>{{0, 4}}));
    EXPECT_TRUE(checked.UnusedKeys().empty());
    const DoorSchedule twoDoors(request, schedule, {doors[0], doors[2]});
    EXPECT_EQ(Names(keys, twoDoors.UnusedKeys()), (std::vector<std::string>{"B", "BA", "AA 2", "BA 1"}));

    // The sub-master AB lost: three doors meant for it, one that opens to it by accident.
    const std::vector<LostKeyDoor> lost = checked.LostKey(3);
    ASSERT_EQ(lost.size(), 4U);
    EXPECT_EQ(lost[0].door, 0U);
    EXPECT_TRUE(lost[0].intended);
    EXPECT_EQ(lost[1].door, 2U);
    EXPECT_TRUE(lost[1].intended);
    EXPECT_EQ(lost[2].door, 3U);
    EXPECT_FALSE(lost[2].intended);
    EXPECT_EQ(lost[3].door, 4U);
    EXPECT_TRUE(lost[3].intended);

    // Master pins of two depths are thinner than a step of three: the chambers are named.
    request.StepIncrement = 3;
    const DoorSchedule coarse(request, schedule, doors);
    EXPECT_EQ(coarse.Doors()[0].verdict.unusableChambers, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(DoorProblemText(coarse.Doors()[0], coarse.Keys()),
              "Chambers 1, 2, 3, 4 would need a pin thinner than one step.");
}

TEST(DoorSchedule, CoreDoorIsPinnedAsThePinningListAndTakesOneKeyOnly) {
    KeySystemRequest request = FiveChambers();
    request.IsICore = true;
    request.ControlKey = "65555";
    request.ControlChambers = "YNNNN";
    request.ControlFactor = 6;
    request.StackTotal = 23;
    const KeySchedule schedule = HandSchedule();
    const DoorSchedule checked(request, schedule, {DoorTo("1", "AA 1"), DoorTo("2", "AA 1; AB 2"), DoorTo("3", "AA *")});

    const DoorVerdict& core = checked.Doors()[0].verdict;
    ASSERT_TRUE(core.Usable());
    const DoorChamber& control = core.cylinder.chambers[0];
    EXPECT_EQ(std::vector<int>({control.bottomPin, control.masterPins.at(0), control.controlPin, control.topPin}),
              (std::vector<int>{3, 2, 7, 11}));
    const DoorChamber& plain = core.cylinder.chambers[3];
    EXPECT_EQ(std::vector<int>({plain.bottomPin, plain.controlPin, plain.topPin}), (std::vector<int>{5, 0, 18}));
    EXPECT_TRUE(plain.masterPins.empty());
    EXPECT_EQ(core.opens, 8);

    for (const std::size_t door : {1U, 2U}) {
        EXPECT_EQ(checked.Doors()[door].verdict.problem, DoorProblem::SeveralKeysOnCore);
        EXPECT_NE(DoorProblemText(checked.Doors()[door], checked.Keys()).find("one key only"), std::string::npos);
    }
}

// Every listed key tried against the cuts of the keys meant to open the door, found without the
// checker: the keys above each target by the schedule's links.
TEST(DoorSchedule, DrawnDoorsLetInExactlyTheKeysCutToTheirShearLinesAndOneKeyDoorsAreThePinningList) {
    std::mt19937 random(2207);
    const std::vector<std::string> roles{"MSRRR", "MMSRRR", "RRRR", "MSSRRRR", "MRRRR"};
    int doorsChecked = 0;
    for (int system = 0; system < 12; ++system) {
        GenerationState state;
        state.MfgName = "BRANDT";
        state.ChamberRoles = roles[static_cast<std::size_t>(system) % roles.size()];
        state.Chambers = static_cast<int>(state.ChamberRoles.size());
        state.ShallowestCut = system % 2;
        state.DeepestCut = system % 3 == 0 ? 10 : 9;
        state.ZeroIsTen = state.DeepestCut == 10;
        state.StepIncrement = 1 + system % 2;
        state.MaxAdjacentCut = 9;
        state.ControlChambers = "NNNNNNN";
        state.TopMasterKey.clear();
        for (int chamber = 0; chamber < state.Chambers; ++chamber)
            state.TopMasterKey += static_cast<char>('2' + (chamber * 3 + system) % 6);
        if (system % 4 == 3) {
            state.IsICore = true;
            state.ControlChambers = "YNYNYNN";
            state.ControlFactor = 6;
            state.StackTotal = 23;
            for (const char top : state.TopMasterKey)
                state.ControlKey += static_cast<char>(top == '7' ? '3' : top + 1);
        }
        const bool masters = state.ChamberRoles.find('M') != std::string::npos;
        state.MasterCount = masters ? 3 : 0;
        state.SubMasterCount = state.ChamberRoles.find('S') != std::string::npos ? 2 : 0;
        state.ChangeKeyCount = 6;
        GenerateProgression(state);
        const KeySchedule schedule = ComputeKeySchedule(state);

        std::vector<std::size_t> listed;
        for (std::size_t index = 0; index < schedule.size(); ++index)
            if (schedule[index].listed && schedule[index].bitting.View().find('-') == std::string::npos)
                listed.push_back(index);
        const KeyDirectory keys(schedule, masters);
        std::vector<Door> doors;
        for (int door = 0; door < 25; ++door) {
            std::string keyedTo;
            const int targets = door < 8 ? 1 : 1 + static_cast<int>(random() % 3);
            for (int target = 0; target < targets; ++target) {
                const std::size_t key = listed[random() % listed.size()];
                std::string name = keys.Designation(key);
                if (schedule[key].level != KeyLevel::ChangeKey && random() % 4 == 0)
                    name += " *";
                keyedTo += name + ";";
            }
            doors.push_back(DoorTo(std::to_string(door), keyedTo));
        }
        const DoorSchedule checked(state, schedule, doors);
        const CylinderPinner pinner(state);
        const ExposureCounter exposure(state, schedule);
        for (const CheckedDoor& door : checked.Doors()) {
            ASSERT_TRUE(door.unknownTargets.empty()) << system << " " << door.unknownTargets[0];
            const DoorVerdict& verdict = door.verdict;
            ++doorsChecked;
            if (state.IsICore && door.targets.size() > 1) {
                EXPECT_EQ(verdict.problem, DoorProblem::SeveralKeysOnCore);
                continue;
            }
            std::set<std::size_t> meant;
            for (const std::size_t target : door.targets)
                for (const std::size_t key : std::initializer_list<std::size_t>{
                         target, schedule[target].subMaster, schedule[target].master, 0})
                    if (key != NoKey)
                        meant.insert(key);
            EXPECT_EQ(std::vector<std::size_t>(meant.begin(), meant.end()), verdict.operatedBy);
            std::vector<std::set<char>> cuts(static_cast<std::size_t>(state.Chambers));
            for (const std::size_t key : meant)
                for (std::size_t chamber = 0; chamber < cuts.size(); ++chamber)
                    cuts[chamber].insert(schedule[key].bitting[chamber]);
            std::int64_t opens = 1;
            for (const std::set<char>& chamber : cuts)
                opens *= static_cast<std::int64_t>(chamber.size());
            std::vector<std::size_t> unintended;
            std::set<std::string> systemBittings;
            for (const std::size_t key : listed) {
                bool opensIt = true;
                for (std::size_t chamber = 0; chamber < cuts.size(); ++chamber)
                    opensIt = opensIt && cuts[chamber].count(schedule[key].bitting[chamber]) == 1;
                if (opensIt)
                    systemBittings.insert(schedule[key].bitting);
                if (opensIt && meant.count(key) == 0)
                    unintended.push_back(key);
            }
            EXPECT_EQ(verdict.unintended, unintended);
            EXPECT_EQ(verdict.opens, opens);
            EXPECT_EQ(verdict.systemKeys, static_cast<std::int64_t>(systemBittings.size()));

            if (door.targets.size() != 1)
                continue;
            const std::string& bitting = schedule[door.targets[0]].bitting;
            const CylinderPinning listedPins = pinner.Pin(bitting);
            for (std::size_t chamber = 0; chamber < cuts.size(); ++chamber) {
                const DoorChamber& pins = verdict.cylinder.chambers[chamber];
                EXPECT_EQ(pins.bottomPin, listedPins.chambers[chamber].bottomPin) << bitting;
                EXPECT_EQ(pins.masterPins.empty() ? 0 : pins.masterPins[0], listedPins.chambers[chamber].masterPin);
                EXPECT_LE(pins.masterPins.size(), 1U);
                EXPECT_EQ(pins.controlPin, listedPins.chambers[chamber].controlPin);
                EXPECT_EQ(pins.topPin, listedPins.chambers[chamber].topPin);
            }
            EXPECT_EQ(verdict.Usable(), listedPins.Pinnable(state.Chambers)) << bitting;
            const CylinderExposure expected = exposure.Exposure(bitting);
            EXPECT_EQ(verdict.opens, expected.openingBittings) << bitting;
            EXPECT_EQ(verdict.systemKeys, expected.systemKeys) << bitting;
        }
    }
    EXPECT_EQ(doorsChecked, 12 * 25);
}

TEST(DoorListCsv, ReadsColumnsInAnyOrderAndCaseWithQuotedCommasQuotesAndLineBreaks) {
    const KeySchedule schedule = HandSchedule();
    const DoorListReading reading = ReadDoorListCsv(
        "\xEF\xBB\xBFkeyed to,DOOR,Notes,Cylinders,Location\r\n"
        "\"AA 1; ab2\",101,\"Keys \"\"kept\"\"\nin safe\",,\"Store, east\"\r\n"
        "\r\n"
        ",,,,\n"
        "GMK *, 102 ,,3,Entrance",
        FiveChambers(), schedule);
    ASSERT_FALSE(reading.refusal) << reading.refusal->message;
    ASSERT_EQ(reading.doors.size(), 2U);
    EXPECT_EQ(DoorTargetsText(reading.doors[0].targets), "AA 1; AB 2");
    EXPECT_EQ(reading.doors[0].notes, "Keys \"kept\"\nin safe");
    EXPECT_EQ(reading.doors[0].location, "Store, east");
    EXPECT_EQ(reading.doors[0].cylinders, 1);
    EXPECT_EQ(reading.doors[1].number, "102");
    EXPECT_EQ(reading.doors[1].cylinders, 3);
}

TEST(DoorListCsv, RefusesTheWholeListNamingTheLineOfTheFirstBadDoor) {
    struct Case {
        std::string text;
        int line;
        std::string says;
        bool core = false;
    };
    const std::vector<Case> cases{
        {"Door,Keyed To\n101,\n", 2, "keyed to no key"},
        {"Door,Keyed To\n101,AA 1\n102,AA 9\n", 3, "AA 9, a key this system does not list"},
        {"Door,Keyed To,Notes\n101,AA 1,\"two\nlines\"\n101,AB 1\n", 4, "door 101 is listed twice"},
        {"Door,Keyed To\n1,AA 1;AB 2\n", 2, "keyed to one key only", true},
        {"Door,Keyed To\n1,AA *\n", 2, "keyed to one key only", true},
        {"Door,Keyed To,Cylinders\n1,AA 1,1000\n", 2, "from 1 to 999, not \"1000\""},
        {"Door,Keyed To,Cylinders\n1,AA 1,0\n", 2, "from 1 to 999"},
        {"Door,Keyed To\n1,A-1\n", 2, "\"A-1\", which is no key name"},
        {"Door,Keyed To\n,AA 1\n", 2, "no number"},
        {"Door,Keyed To\n123456789012345678901,AA 1\n", 2, "not 1 to 20 characters"},
        {"Door,Location\n1,Hall\n", 1, "no column Keyed To"},
        {"Door,Keyed To,Colour\n", 1, "\"Colour\" is not one of"},
        {"Door,Keyed To,door\n", 1, "Door is named twice"},
        {"Door,Keyed To\n1,\"AA 1\n", 2, "never closed"},
        {"Door,Keyed To,Notes\n1,AA 1,\xff\n", 2, "not UTF-8"},
        {"Door,Keyed To\n1,AA 1,x\n", 2, "has 3 fields"},
        {"", 1, "empty"},
        // What a system file could not keep is refused here already.
        {"Door,Keyed To,Location\n1,AA 1," + std::string(201, 'x') + "\n", 2, "longer than 200 characters"},
        {"Door,Keyed To\n1,AA 1" + std::string(100, ';') + "AB 1;AA 2;" + [] {
             std::string many;
             for (int key = 1; key <= 100; ++key)
                 many += "AA " + std::to_string(key) + ";";
             return many;
         }() + "\n",
         2, "keyed to more than 100 keys"},
    };
    const KeySchedule schedule = HandSchedule();
    for (const Case& refused : cases) {
        KeySystemRequest request = FiveChambers();
        if (refused.core) {
            request.IsICore = true;
            request.ControlKey = "65555";
            request.ControlChambers = "YNNNN";
            request.ControlFactor = 6;
            request.StackTotal = 23;
        }
        const DoorListReading reading = ReadDoorListCsv(refused.text, request, schedule);
        ASSERT_TRUE(reading.refusal) << refused.text;
        EXPECT_EQ(reading.refusal->line, refused.line) << refused.text;
        EXPECT_NE(reading.refusal->message.find(refused.says), std::string::npos) << reading.refusal->message;
        EXPECT_TRUE(reading.doors.empty());
    }
}

} // namespace
} // namespace varnholt::systems

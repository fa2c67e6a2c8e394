#include "systems/DoorTable.h"
#include "engine/KeySchedule.h"
#include "engine/Progression.h"
#include "systems/DoorListCsv.h"

#include <gtest/gtest.h>

#include <random>

namespace varnholt::systems {
namespace {

// Six chambers, two masters of two sub-masters of three change keys each.
GenerationState SixChambers() {
    GenerationState state;
    state.MfgName = "BRANDT";
    state.Chambers = 6;
    state.ShallowestCut = 0;
    state.DeepestCut = 9;
    state.StepIncrement = 2;
    state.MaxAdjacentCut = 9;
    state.TopMasterKey = "246135";
    state.ControlChambers = "NNNNNNN";
    state.MasterCount = 2;
    state.SubMasterCount = 2;
    state.ChangeKeyCount = 3;
    state.ChamberRoles = "MSRRRR";
    GenerateProgression(state);
    return state;
}

Door DoorTo(std::string number, std::string_view keyedTo) {
    Door door;
    door.number = std::move(number);
    door.targets = ParseDoorTargets(keyedTo).targets;
    return door;
}

DoorRowState StateOf(const DoorTable& table, std::size_t row) {
    return table.Check(row).state;
}

TEST(DoorTable, EachRowIsCheckedAsItIsEditedWithTheReasonInWords) {
    DoorTable table(SixChambers(),
                    {DoorTo("101", "AA 1"), DoorTo("102", "AB *"), DoorTo("103", "AA 1; AB 2")});
    EXPECT_EQ(table.Check(0).state, DoorRowState::Good) << table.Check(0).reason;
    EXPECT_EQ(table.Check(0).reason, "");
    // A cross-keyed door lets in the keys cut to its shear lines: said, not refused.
    ASSERT_FALSE(table.Verdict(2).unintended.empty());
    EXPECT_EQ(StateOf(table, 2), DoorRowState::Warning);
    EXPECT_EQ(table.Check(2).reason.rfind("It opens to ", 0), 0U) << table.Check(2).reason;
    EXPECT_NE(table.Check(2).reason.find("not meant to open it."), std::string::npos);

    table.SetKeyedTo(0, "ZZ 1");
    EXPECT_EQ(table.Check(0).state, DoorRowState::Refused);
    EXPECT_EQ(table.Check(0).reason, "There is no key ZZ 1 in this system.");
    table.SetKeyedTo(0, "A-1");
    EXPECT_EQ(table.Check(0).reason.rfind("\"A-1\" is no key name", 0), 0U) << table.Check(0).reason;
    EXPECT_EQ(table.KeyedToText(0), "A-1") << "what was typed stays";
    table.SetKeyedTo(0, "");
    EXPECT_EQ(table.Check(0).reason, "It is keyed to no key.");
    table.SetKeyedTo(0, "aa1");
    EXPECT_EQ(table.KeyedToText(0), "AA 1");
    EXPECT_EQ(StateOf(table, 0), DoorRowState::Good);

    // A number given twice refuses both rows, and renaming one frees the other.
    table.SetNumber(1, "101");
    EXPECT_EQ(table.Check(0).reason, "Door number 101 is given to 2 doors; each door needs its own.");
    EXPECT_EQ(StateOf(table, 1), DoorRowState::Refused);
    EXPECT_EQ(*table.FirstRefusal(),
              "Door 101: Door number 101 is given to 2 doors; each door needs its own.");
    table.Remove(1);
    EXPECT_EQ(StateOf(table, 0), DoorRowState::Good);
    table.SetCylinders(0, 1000);
    EXPECT_EQ(table.Check(0).reason, "Its number of cylinders is not from 1 to 999.");
    table.SetCylinders(0, 2);
    table.SetNumber(0, "");
    EXPECT_EQ(*table.FirstRefusal(), "Door in row 1: Its number is empty.");
    table.SetNumber(0, "101");

    // New rows are numbered on and wait for their keys.
    table.Insert(table.Size());
    EXPECT_EQ(table.At(2).number, "104");
    EXPECT_EQ(table.Check(2).reason, "It is keyed to no key.");
    table.SetKeyedTo(2, "GMK");
    EXPECT_FALSE(table.FirstRefusal()) << *table.FirstRefusal();
    Door kept = DoorTo("101", "AA 1");
    kept.cylinders = 2;
    EXPECT_EQ(table.Doors()[0], kept);
}

// Whatever is edited in which order, the table's rows are checked as a schedule of the same
// doors made from scratch checks them.
TEST(DoorTable, DrawnEditsLeaveEveryRowAsAFreshCheckOfTheSameDoors) {
    const GenerationState state = SixChambers();
    DoorTable table(state, {});
    const std::vector<std::string> names{"GMK",  "A",   "B",    "AA",   "AB",         "BA",  "AA 1", "AB 2",
                                         "BB 3", "A *", "AA *", "ZZ 9", "AA 1; BA 2", "A-1", ""};
    std::mt19937 random(22);
    for (int edit = 0; edit < 400; ++edit) {
        const std::size_t size = table.Size();
        const auto choice = random() % 10;
        if (size == 0 || choice == 0) {
            table.Insert(size == 0 ? 0 : random() % (size + 1));
        } else if (choice == 1) {
            table.Remove(random() % size);
        } else if (choice < 4) {
            table.SetNumber(random() % size, std::to_string(random() % 12));
        } else {
            table.SetKeyedTo(random() % size, names[random() % names.size()]);
        }
        const std::vector<Door> doors = table.Doors();
        const DoorSchedule fresh(state, table.Schedule(), doors);
        for (std::size_t row = 0; row < doors.size(); ++row) {
            int sameNumber = 0;
            for (const Door& other : doors)
                sameNumber += other.number == doors[row].number ? 1 : 0;
            const DoorRowCheck check = table.Check(row);
            const std::string problem = DoorProblemText(fresh.Doors()[row], fresh.Keys());
            const bool unreadable = table.KeyedToText(row) != DoorTargetsText(doors[row].targets);
            if (unreadable || doors[row].targets.empty() || sameNumber > 1 ||
                !fresh.Doors()[row].unknownTargets.empty() ||
                fresh.Doors()[row].verdict.problem != DoorProblem::None) {
                EXPECT_EQ(check.state, DoorRowState::Refused) << edit << " " << row << " " << check.reason;
            } else {
                EXPECT_EQ(table.Verdict(row).unintended, fresh.Doors()[row].verdict.unintended) << edit;
                EXPECT_EQ(check.state, problem.empty() && fresh.Doors()[row].verdict.unintended.empty()
                                           ? DoorRowState::Good
                                           : DoorRowState::Warning)
                    << edit << " " << row << " " << check.reason;
            }
        }
    }
}

TEST(DoorTable, ExportedListReadsBackAsTheSameDoors) {
    const GenerationState state = SixChambers();
    Door store = DoorTo("101", "AA 1; AB 2");
    store.location = "Store, \"north\"";
    store.notes = "two\nlines";
    store.cylinders = 3;
    Door hall = DoorTo("H 1", "A *");
    hall.location = " blank first";
    const std::vector<Door> doors{store, hall};
    const std::string text = DoorListCsvText(doors);
    EXPECT_EQ(text.substr(0, 40), "Door,Location,Keyed To,Cylinders,Notes\r\n");
    const DoorListReading read = ReadDoorListCsv(text, state, ComputeKeySchedule(state));
    ASSERT_FALSE(read.refusal) << read.refusal->message;
    EXPECT_EQ(read.doors, doors);
}

} // namespace
} // namespace varnholt::systems

#include "DialogFixture.h"

#include "definition/BittingRules.h"
#include "definition/Capacity.h"
#include "definition/DefinitionMessages.h"

#include <cstdlib>

using namespace varnholt::definition;
using namespace varnholt::definition::testing;
using varnholt::toolkit::BoxKind;

namespace {

class DefinitionStory : public DialogTest {
protected:
    // Acme with six chambers and the top master key 246864.
    void AcmeSixChambers() {
        DefineWith(0);
        driver.Select("ListBox1", "6").Type("246864");
        ASSERT_EQ(Focused(), "Edit3");
    }

    std::vector<std::string> Row(int chamber) const {
        std::vector<std::string> cells;
        for (int column = 1; column <= 6; ++column) {
            cells.push_back(
                reportStarter.seenTable[static_cast<std::size_t>(chamber)][static_cast<std::size_t>(column)]);
        }
        return cells;
    }
};

using Cells = std::vector<std::string>;

} // namespace

TEST_F(DefinitionStory, AFullDefinitionGeneratesTheProgressionAndStartsTheReport) {
    AcmeSixChambers();
    driver.Type("12\n3\n\n");
    ASSERT_EQ(Focused(), "Button3");
    driver.Type("\n");

    EXPECT_EQ(reportStarter.starts, 1);
    EXPECT_EQ(reportStarter.seenRoles, "MMSRRR");
    EXPECT_EQ(state.MasterCount, 12);
    EXPECT_EQ(state.SubMasterCount, 3);
    EXPECT_EQ(state.ChangeKeyCount, 64);
    EXPECT_EQ(state.MasterChamberCount, 2);
    EXPECT_EQ(state.SubMasterChamberCount, 1);
    EXPECT_EQ(state.TopMasterKey, "246864");
    EXPECT_EQ(state.ProgressionSteps, 4);
    EXPECT_EQ(Row(1), (Cells{"4", "6", "8", "0", "", ""}));
    EXPECT_EQ(Row(4), (Cells{"0", "2", "4", "6", "", ""}));
    EXPECT_EQ(Row(6), (Cells{"6", "8", "0", "2", "", ""}));
    EXPECT_EQ(Row(7), (Cells{"", "", "", "", "", ""}));
    EXPECT_TRUE(driver.Boxes().empty());

    EXPECT_FALSE(form2.Visible());
    EXPECT_FALSE(form2.DefiningSystem);
}

TEST_F(DefinitionStory, AfterOkTheNextDefinitionStartsWithEmptyFields) {
    AcmeSixChambers();
    driver.Type("12\n3\n\n\n");
    ASSERT_EQ(reportStarter.starts, 1);

    DefineWith(0);
    for (const char* emptied : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit6", "Label11", "Label13"}) {
        EXPECT_EQ(Text(emptied), "") << emptied;
    }
    EXPECT_EQ(Text("ListBox1"), "3");
    EXPECT_EQ(state.Chambers, 3);
}

TEST_F(DefinitionStory, OkWithAnEmptyKeysFieldTakesEveryAvailableKey) {
    AcmeSixChambers();
    driver.Type("12\n3\n").Click("Button3");

    EXPECT_EQ(reportStarter.starts, 1);
    EXPECT_EQ(state.ChangeKeyCount, 64);
}

TEST_F(DefinitionStory, OkWithoutMastersGivesEveryChamberToTheChangeKeys) {
    AcmeSixChambers();
    driver.Type("\n").Click("Button3");

    EXPECT_EQ(reportStarter.starts, 1);
    EXPECT_EQ(state.MasterCount, 0);
    EXPECT_EQ(state.SubMasterCount, 0);
    EXPECT_EQ(state.ChangeKeyCount, 4096);
    EXPECT_EQ(state.ChamberRoles, "RRRRRR");
}

TEST_F(DefinitionStory, OkWithAnIncompleteKeyOnlySendsTheUserBackToIt) {
    DefineWith(1);
    driver.Type("246").Click("Button3");
    EXPECT_EQ(Focused(), "Edit1");
    EXPECT_EQ(form2.Get<varnholt::toolkit::Edit>("Edit1").SelStart(), 3);

    driver.Type("86").Type("135").Click("Button3");
    EXPECT_EQ(Focused(), "Edit2");
    EXPECT_EQ(reportStarter.starts, 0);
    EXPECT_TRUE(driver.Boxes().empty());
}

TEST_F(DefinitionStory, OkBeforeTheQuantitiesWereAnsweredAsksForThem) {
    DefineWith(0);
    driver.Click("RandomMaster").Click("Button3");

    EXPECT_EQ(reportStarter.starts, 0);
    EXPECT_EQ(LastBox().text, NoQuantityMessage);
    EXPECT_EQ(Focused(), "Edit3");
}

TEST_F(DefinitionStory, OkAfterTheChamberCountWasLoweredAsksForTheQuantitiesAgain) {
    AcmeSixChambers();
    driver.Type("12\n3\n\n");
    driver.Focus("ListBox1").Press(varnholt::toolkit::Key::Up);
    driver.Click("Button3");

    EXPECT_EQ(reportStarter.starts, 0);
    EXPECT_EQ(Text("Edit1"), "24686");
    EXPECT_EQ(Text("Edit3"), "");
    EXPECT_EQ(Focused(), "Edit3");
}

TEST_F(DefinitionStory, OkWithAControlKeyLongerThanTheChambersSendsTheUserToIt) {
    DefineWith(1);
    driver.Select("ListBox1", "6").Type("123456").Type("654321");
    ASSERT_EQ(state.ControlKey, "654321");
    driver.Select("ListBox1", "5");
    ASSERT_EQ(Text("Edit1"), "12345");
    driver.Click("Button3");

    EXPECT_EQ(Focused(), "Edit2");
    EXPECT_EQ(reportStarter.starts, 0);
    driver.Type("\b");
    EXPECT_EQ(state.ControlKey, "65432");
    EXPECT_EQ(Focused(), "Edit3");
}

TEST_F(DefinitionStory, OkJudgesTheQuantitiesAgainAfterTheMastersWereChanged) {
    AcmeSixChambers();
    driver.Type("4\n0");
    ASSERT_EQ(Text("Label11"), "1024");
    driver.Type("1024");
    ASSERT_EQ(Focused(), "Button3");

    driver.Focus("Edit3").Type("\b12").Click("Button3");
    EXPECT_EQ(reportStarter.starts, 0);
    EXPECT_EQ(LastBox().text, TooManyKeysMessage);
    EXPECT_EQ(Text("Label11"), "256");
    EXPECT_EQ(Text("Edit6"), "");
    EXPECT_EQ(Focused(), "Edit6");

    driver.Type("256").Click("Button3");
    EXPECT_EQ(reportStarter.starts, 1);
    EXPECT_EQ(state.ChamberRoles, "MMRRRR");
}

TEST_F(DefinitionStory, CancelEmptiesThePanelButKeepsTheRequest) {
    AcmeSixChambers();
    driver.Type("12\n3\n");
    form2.RandomMasterPending = true;
    driver.Click("Button4");

    EXPECT_FALSE(form2.Visible());
    EXPECT_FALSE(form2.Get<varnholt::toolkit::Panel>("Panel1").Visible());
    EXPECT_FALSE(form2.DefiningSystem);
    EXPECT_FALSE(form2.RandomMasterPending);
    for (const char* emptied : {"Edit1", "Edit3", "Edit4", "Edit6", "Label11", "Label12", "Label13"}) {
        EXPECT_EQ(Text(emptied), "") << emptied;
    }
    EXPECT_EQ(state.TopMasterKey, "246864");
    EXPECT_EQ(reportStarter.starts, 0);

    // The first digit typed next time is checked like any other.
    DefineWith(0);
    driver.Type("x");
    EXPECT_EQ(LastBox().text, NotANumberMessage(0, 9));
}

TEST_F(DefinitionStory, AControlKeyDoesNotOutliveItsInterchangeableCoreSystem) {
    DefineWith(1);
    driver.Select("ListBox1", "6").Type("123456").Type("468486").Type("\n\n\n");
    ASSERT_EQ(reportStarter.starts, 1);
    ASSERT_EQ(state.ControlKey, "468486");

    // A key of the next, ordinary system with that bitting would be marked and left out.
    DefineWith(0);
    driver.Select("ListBox1", "6").Type("246864").Type("\n\n\n");
    ASSERT_EQ(reportStarter.starts, 2);
    EXPECT_EQ(state.ControlKey, "");
}

TEST_F(DefinitionStory, ClosingTheWindowIsACancelSoTheNextListingIsNotTakenForADefinition) {
    AcmeSixChambers();
    driver.Type("12\n");
    driver.Close("Form2");

    EXPECT_FALSE(form2.Visible());
    EXPECT_FALSE(form2.Get<varnholt::toolkit::Panel>("Panel1").Visible());
    EXPECT_FALSE(form2.DefiningSystem);
    for (const char* emptied : {"Edit1", "Edit3", "Label12"}) {
        EXPECT_EQ(Text(emptied), "") << emptied;
    }
    // Closing the list alone ends the definition as well.
    OpenList(true);
    driver.Close("Form2");
    EXPECT_FALSE(form2.DefiningSystem);
}

// ---- The manufacturer list -------------------------------------------------------------------

TEST_F(DefinitionStory, TheListShowsTheRecordsInFileOrderAndOpensTheChosenOneForChange) {
    WriteManufacturers({Acme(), Bolt(), Corbin()});
    OpenList(false);
    EXPECT_EQ(form2.Get<varnholt::toolkit::ListBox>("LB1").Items(),
              (std::vector<std::string>{"Acme", "Bolt Core", "Corbin"}));
    EXPECT_EQ(Text("LB1"), "Acme");
    EXPECT_EQ(Focused(), "LB1");

    driver.Select("LB1", "Corbin").Click("Form2.Button1");
    EXPECT_EQ(file.SelectedRecord, 2U);
    EXPECT_EQ(file.CurrentManufacturer, Corbin());
    EXPECT_EQ(file.DisplayedManufacturer, Corbin());
    EXPECT_FALSE(form2.Visible());
    EXPECT_TRUE(driver.Showing("Panel2"));
    EXPECT_EQ(driver.Text("MfgsName"), "Corbin");
    EXPECT_EQ(driver.Text("Tallowmere.Button7"), "Restore");
    EXPECT_EQ(panel.Button6.Top(), 460);
    EXPECT_EQ(Focused(), "Button1");
    EXPECT_EQ(form2.Get<varnholt::toolkit::ListBox>("LB1").ItemIndex(), 0);
}

TEST_F(DefinitionStory, ANewManufacturerOnlyClosesTheList) {
    panel.NewManufacturerMode = true;
    OpenList(false);
    driver.Click("Form2.Button1");

    EXPECT_FALSE(form2.Visible());
    EXPECT_FALSE(form2.Get<varnholt::toolkit::ListBox>("LB1").Visible());
    EXPECT_EQ(panel.Button7.Caption(), "Refresh");
}

TEST_F(DefinitionStory, TheListKeysStopAtItsEndsAndEnterChooses) {
    OpenList(true);
    driver.Press(varnholt::toolkit::Key::Up);
    EXPECT_EQ(form2.Get<varnholt::toolkit::ListBox>("LB1").ItemIndex(), 0);
    for (int i = 0; i < 6; ++i) {
        driver.Press(varnholt::toolkit::Key::Down);
    }
    EXPECT_EQ(form2.Get<varnholt::toolkit::ListBox>("LB1").ItemIndex(), 3);
    driver.Press(varnholt::toolkit::Key::Up).Press(varnholt::toolkit::Key::Return);

    EXPECT_EQ(file.SelectedRecord, 2U);
    EXPECT_EQ(state.MfgName, "Corbin");
    EXPECT_TRUE(state.ZeroIsTen);
}

TEST_F(DefinitionStory, ADoubleClickChoosesLikeOk) {
    OpenList(true);
    driver.DoubleClickItem("LB1", 1);
    EXPECT_EQ(state.MfgName, "Bolt Core");
    EXPECT_TRUE(driver.Showing("Panel1"));
}

TEST_F(DefinitionStory, CancelOfTheListClosesItAndEndsTheDefinition) {
    OpenList(true);
    driver.Click("Form2.Button2");
    EXPECT_FALSE(form2.Visible());
    EXPECT_FALSE(form2.DefiningSystem);
}

TEST_F(DefinitionStory, ADamagedRecordIsToldAndThePanelStaysClosed) {
    auto damaged = Acme();
    damaged.StepIncrement = 0;
    WriteManufacturers({damaged});
    DefineWith(0);

    EXPECT_EQ(LastBox().kind, BoxKind::Error);
    EXPECT_FALSE(driver.Showing("Panel1"));
    EXPECT_EQ(Focused(), "LB1");
}

// ---- The random master -----------------------------------------------------------------------

TEST_F(DefinitionStory, ARandomMasterFillsTheKeyAndMovesOn) {
    AcmeSixChambers();
    for (int draw = 0; draw < 300; ++draw) {
        driver.Click("RandomMaster");
        const std::string key = Text("Edit1");
        ASSERT_EQ(key.size(), 6U);
        ASSERT_EQ(state.TopMasterKey, key);
        for (std::size_t i = 1; i < key.size(); ++i) {
            ASSERT_LE(std::abs(key[i] - key[i - 1]), 5) << key;
        }
    }
    EXPECT_EQ(Focused(), "Edit3");
    EXPECT_EQ(Text("Label12"), "64");
    EXPECT_TRUE(form2.RandomMasterPending);
    EXPECT_FALSE(form2.DefiningSystem);
    EXPECT_TRUE(driver.Boxes().empty());
}

TEST_F(DefinitionStory, ARandomKeyIsCompletedWhenMoreChambersAreChosen) {
    DefineWith(0);
    const CutRules rules{0, 9, 5, false};
    for (int draw = 0; draw < 50; ++draw) {
        driver.Select("ListBox1", "5").Click("RandomMaster");
        const std::string drawn = Text("Edit1");
        ASSERT_EQ(drawn.size(), 5U);

        driver.Select("ListBox1", "6");
        const std::string completed = Text("Edit1");
        ASSERT_EQ(completed.size(), 6U);
        EXPECT_EQ(completed.substr(0, 5), drawn);
        EXPECT_TRUE(AdjacentCutsFit(completed[4], completed[5], rules)) << completed;
        EXPECT_EQ(state.TopMasterKey, completed);
        EXPECT_EQ(Focused(), "Edit3");
    }
}

TEST_F(DefinitionStory, TypingAfterADrawStopsTheRandomCompletion) {
    DefineWith(0);
    driver.Select("ListBox1", "5").Click("RandomMaster");
    driver.Focus("Edit1").Type("\b");
    const std::string typed = Text("Edit1");

    driver.Select("ListBox1", "6");
    EXPECT_EQ(Text("Edit1"), typed);
    EXPECT_EQ(Focused(), "Edit1");
}

TEST_F(DefinitionStory, ARandomMasterForAnInterchangeableCoreMovesToTheControlKey) {
    DefineWith(1);
    driver.Click("RandomMaster");
    EXPECT_EQ(Text("Edit1").size(), 5U);
    EXPECT_EQ(Focused(), "Edit2");
}

// The batch command plans quantities without the dialog; both must end in the same system.
TEST_F(DefinitionStory, TheDialogAndThePlannedQuantitiesAgree) {
    struct Case {
        const char* chambers;
        const char* key;
        int masters;
        int subMasters;
    };
    const Case cases[] = {{"6", "246864", 12, 3},  {"6", "246864", 4, 9}, {"6", "246864", 5, 4},
                          {"7", "2468642", 3, 25}, {"5", "24686", 2, 3},  {"4", "2468", 3, 2}};
    for (const Case& example : cases) {
        DefineWith(0);
        driver.Select("ListBox1", example.chambers).Type(example.key);
        driver.Type(std::to_string(example.masters) + "\n");
        if (Focused() == "Edit4") {
            driver.Type(std::to_string(example.subMasters) + "\n");
        }
        driver.Click("Button3");
        const QuantityPlan plan =
            PlanQuantities(example.masters, example.subMasters, std::nullopt, 4, std::stoi(example.chambers));
        ASSERT_FALSE(plan.refusal) << example.key;
        EXPECT_EQ(state.MasterCount, plan.masterCount) << example.key;
        EXPECT_EQ(state.SubMasterCount, plan.subMasterCount) << example.key;
        EXPECT_EQ(state.ChangeKeyCount, plan.changeKeyCount) << example.key;
        EXPECT_EQ(state.ChamberRoles, plan.chamberRoles) << example.key;
    }
    EXPECT_EQ(reportStarter.starts, 6);
}

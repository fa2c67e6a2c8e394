#include "DialogFixture.h"

#include "definition/DefinitionMessages.h"

using namespace varnholt::definition;
using namespace varnholt::definition::testing;
using varnholt::toolkit::BoxKind;

namespace {

constexpr int AcmeRow = 0;
constexpr int BoltRow = 1;
constexpr int CorbinRow = 2;
constexpr int DexterRow = 3;

class KeyEntryStory : public DialogTest {};

} // namespace

TEST_F(KeyEntryStory, ChoosingAManufacturerOpensThePanelWithItsChamberCounts) {
    DefineWith(BoltRow);

    EXPECT_TRUE(driver.Showing("Panel1"));
    EXPECT_FALSE(driver.Showing("LB1"));
    EXPECT_EQ(form2.Get<varnholt::toolkit::ListBox>("ListBox1").Items(),
              (std::vector<std::string>{"5", "6", "7"}));
    EXPECT_EQ(Text("ListBox1"), "5");
    EXPECT_EQ(state.Chambers, 5);
    EXPECT_EQ(state.MfgName, "Bolt Core");
    EXPECT_TRUE(state.IsICore);
    EXPECT_EQ(state.ControlChambers, "YNNNNNN");
    EXPECT_EQ(state.ProgressionSteps, 6);
    EXPECT_EQ(Focused(), "Edit1");
    EXPECT_TRUE(form2.Get<varnholt::toolkit::Edit>("Edit2").Enabled());
    EXPECT_EQ(Text("Label12"), "36");
}

TEST_F(KeyEntryStory, WithoutInterchangeableCoreTheControlKeyIsGreyAndSkipped) {
    DefineWith(AcmeRow);

    EXPECT_EQ(state.ProgressionSteps, 4);
    EXPECT_FALSE(form2.Get<varnholt::toolkit::Edit>("Edit2").Enabled());
    EXPECT_NE(form2.Get<varnholt::toolkit::Edit>("Edit2").Background(), varnholt::toolkit::Colours::Window);
    EXPECT_EQ(state.Chambers, 3);
    driver.Type("246");
    EXPECT_EQ(state.TopMasterKey, "246");
    EXPECT_EQ(Focused(), "Edit3");
    EXPECT_EQ(form2.TabSequence().size(), 7U);
}

TEST_F(KeyEntryStory, TypedCharactersOutsideTheDepthsAreRefusedWithABeep) {
    DefineWith(DexterRow);

    driver.Type("x");
    EXPECT_EQ(LastBox().kind, BoxKind::Information);
    EXPECT_TRUE(LastBox().afterBeep);
    EXPECT_EQ(LastBox().text, "This is a numerical field only.\nYou must use a number from 1 through 9");
    driver.Type("0");
    EXPECT_EQ(LastBox().kind, BoxKind::Information);
    EXPECT_TRUE(LastBox().afterBeep);
    EXPECT_EQ(LastBox().text, "You must use a number between 1 and 9.");
    EXPECT_EQ(Text("Edit1"), "");
    EXPECT_EQ(driver.Beeps(), 2);
}

TEST_F(KeyEntryStory, OnlyTheLastPairOfCutsIsHeldToTheMaximumAdjacentCut) {
    DefineWith(AcmeRow);

    driver.Type("39");
    EXPECT_EQ(LastBox().text,
              "The Number you entered exceeds the\nMaximum Adjacent Cuts for this Manufacturer.");
    EXPECT_EQ(LastBox().kind, BoxKind::Information);
    EXPECT_TRUE(LastBox().afterBeep);
    EXPECT_EQ(Text("Edit1"), "3");
    EXPECT_EQ(form2.Get<varnholt::toolkit::Edit>("Edit1").SelStart(), 1);
    driver.ClearRecord();
    driver.Type("8");
    EXPECT_EQ(Text("Edit1"), "38");
    EXPECT_TRUE(driver.Boxes().empty());
}

TEST_F(KeyEntryStory, ZeroIsDepthTenWhenTheDeepestCutIsTen) {
    DefineWith(CorbinRow);

    driver.Type("90");
    EXPECT_EQ(Text("Edit1"), "90");
    EXPECT_TRUE(driver.Boxes().empty());
    driver.Type("\b\b20");
    EXPECT_EQ(LastBox().text, AdjacentCutsMessage);
    EXPECT_EQ(Text("Edit1"), "2");
}

TEST_F(KeyEntryStory, AManufacturerWithoutMacsAcceptsAnyPairAndKeepsTwenty) {
    DefineWith(DexterRow);

    driver.Type("19191");
    EXPECT_TRUE(driver.Boxes().empty());
    EXPECT_EQ(state.TopMasterKey, "19191");
    EXPECT_EQ(state.MaxAdjacentCut, 20);
}

TEST_F(KeyEntryStory, ASeventhDigitIsCutBackToTheChamberCount) {
    DefineWith(AcmeRow);
    driver.Select("ListBox1", "6").Type("246864");
    EXPECT_EQ(Focused(), "Edit3");

    driver.Focus("Edit1").Type("2");
    EXPECT_EQ(Text("Edit1"), "246864");
    EXPECT_EQ(state.TopMasterKey, "246864");
}

TEST_F(KeyEntryStory, NineUnderZeroIsRefusedInTheControlKey) {
    DefineWith(BoltRow);
    // Chamber 1, Bolt Core's control chamber, differs from the control key typed below.
    driver.Type("30555");
    EXPECT_EQ(Focused(), "Edit2");

    driver.Type("49");
    EXPECT_EQ(LastBox().text, "The Number you entered is not \nCompatable with the Top Master Key.");
    EXPECT_EQ(LastBox().kind, BoxKind::Information);
    EXPECT_TRUE(LastBox().afterBeep);
    EXPECT_EQ(Text("Edit2"), "4");
    driver.ClearRecord();
    driver.Type("8999");
    EXPECT_TRUE(driver.Boxes().empty());
    EXPECT_EQ(state.ControlKey, "48999");
    EXPECT_EQ(Focused(), "Edit3");
}

TEST_F(KeyEntryStory, TheControlKeyMayNotRepeatTheTopMasterKey) {
    DefineWith(BoltRow);
    driver.Type("12345").Type("12345");

    EXPECT_EQ(LastBox().text, "The Control Key can not be the\nsame as the Master Key.");
    EXPECT_EQ(LastBox().kind, BoxKind::Information);
    EXPECT_EQ(Text("Edit2"), "1234");
    EXPECT_EQ(Focused(), "Edit2");
}

TEST_F(KeyEntryStory, CompletingTheTopMasterLikeTheControlKeyShortensTheControlKey) {
    DefineWith(BoltRow);
    driver.Type("1234").Focus("Edit2").Type("12345");
    EXPECT_EQ(state.ControlKey, "12345");

    driver.Focus("Edit1").Type("\b\b\b\b\b12345");
    EXPECT_EQ(LastBox().text, SameKeyMessage);
    EXPECT_EQ(Text("Edit2"), "1234");
    EXPECT_EQ(Focused(), "Edit2");
    EXPECT_EQ(state.TopMasterKey, "12345");
}

class ControlChamberStory : public KeyEntryStory {
protected:
    // Control pins in chambers 1, 3, 5 and 7.
    void DefineSevenPinCore() {
        WriteManufacturers({InterchangeableCore(Manufacturer("IC core 7-pin", 6, 2, 0, 9, 7, 2), "YNYNYNY")});
        DefineWith(0);
        driver.Select("ListBox1", "7");
    }
};

TEST_F(ControlChamberStory, AControlKeyLikeTheTopMasterInEveryControlChamberIsRefused) {
    DefineSevenPinCore();
    driver.Type("4849706").Type("4849736");

    EXPECT_EQ(LastBox().text, "The Control Key must differ from the\nMaster Key in a control chamber.");
    EXPECT_EQ(LastBox().kind, BoxKind::Information);
    EXPECT_TRUE(LastBox().afterBeep);
    EXPECT_EQ(Text("Edit2"), "484973");
    EXPECT_EQ(form2.Get<varnholt::toolkit::Edit>("Edit2").SelStart(), 6);
    EXPECT_EQ(Focused(), "Edit2");

    driver.ClearRecord();
    driver.Type("\b\b\b\b\b\b3849736");
    EXPECT_TRUE(driver.Boxes().empty());
    EXPECT_EQ(state.ControlKey, "3849736");
    EXPECT_EQ(Focused(), "Edit3");
}

TEST_F(ControlChamberStory, CompletingTheTopMasterLastShortensAControlKeyThatMatchesIt) {
    DefineSevenPinCore();
    driver.Type("484970").Focus("Edit2").Type("4849736");
    EXPECT_TRUE(driver.Boxes().empty());
    EXPECT_EQ(state.ControlKey, "4849736");

    driver.Focus("Edit1").Type("6");
    EXPECT_EQ(LastBox().text, ControlChamberMessage);
    EXPECT_EQ(Text("Edit2"), "484973");
    EXPECT_EQ(Focused(), "Edit2");
    EXPECT_EQ(state.TopMasterKey, "4849706");
}

TEST_F(ControlChamberStory, AControlKeyUnderWhichTheTopMasterCannotBePinnedIsRefused) {
    varnholt::manufacturers::ManufacturerRecord core =
        InterchangeableCore(Manufacturer("IC core 7-pin", 6, 2, 0, 9, 7, 2), "YNYNYNY");
    core.ControlFactor = 6;
    core.StackTotal = 23;
    WriteManufacturers({core});
    DefineWith(0);
    driver.Select("ListBox1", "7").Type("2468642").Type("1357531");

    EXPECT_EQ(LastBox().text, "The Control Key leaves chambers 2, 4 and 6 impossible to pin:\n"
                              "a pin would be thinner than one step.");
    EXPECT_EQ(LastBox().kind, BoxKind::Information);
    EXPECT_TRUE(LastBox().afterBeep);
    EXPECT_EQ(Text("Edit2"), "135753");
    EXPECT_EQ(Focused(), "Edit2");
}

TEST_F(KeyEntryStory, LoweringTheChamberCountCutsTheKeyAndRestartsTheQuantities) {
    DefineWith(AcmeRow);
    driver.Select("ListBox1", "6").Type("246864").Type("12\n3");
    EXPECT_EQ(Text("Label11"), "64");

    driver.Select("ListBox1", "5");
    EXPECT_EQ(Text("Edit1"), "24686");
    EXPECT_EQ(state.TopMasterKey, "24686");
    EXPECT_EQ(Text("Label12"), "16");
    for (const char* emptied : {"Edit3", "Edit4", "Edit6", "Label13", "Label11"}) {
        EXPECT_EQ(Text(emptied), "") << emptied;
    }
    EXPECT_EQ(Focused(), "Edit3");
}

TEST_F(KeyEntryStory, TheChamberListKeysStopAtItsEnds) {
    DefineWith(BoltRow);
    driver.Focus("ListBox1").Press(varnholt::toolkit::Key::Up);
    EXPECT_EQ(Text("ListBox1"), "5");
    driver.Press(varnholt::toolkit::Key::Down)
        .Press(varnholt::toolkit::Key::Down)
        .Press(varnholt::toolkit::Key::Down);
    EXPECT_EQ(Text("ListBox1"), "7");
    driver.Press(varnholt::toolkit::Key::Return);
    EXPECT_EQ(Focused(), "Edit1");
    EXPECT_EQ(state.Chambers, 7);
}

// A bitting pasted into a key field goes in digit by digit through the rules for typed cuts;
// select all and copy take it out again, and none of these keys is refused as a character.
TEST_F(KeyEntryStory, APastedBittingIsTypedDigitByDigitAndStopsAtTheFirstRefusedCut) {
    namespace Key = varnholt::toolkit::Key;
    using varnholt::toolkit::Modifier;
    DefineWith(AcmeRow);
    application.SetClipboardText("2480\n");
    driver.Press('V', Modifier::Ctrl);
    EXPECT_EQ(Text("Edit1"), "248") << "three chambers: the field is complete and the focus moved on";
    EXPECT_EQ(Focused(), "Edit3");
    EXPECT_TRUE(driver.Boxes().empty());

    driver.Focus("Edit1").Press('A', Modifier::Ctrl).Press('C', Modifier::Ctrl);
    EXPECT_EQ(application.ClipboardText(), "248");
    EXPECT_TRUE(driver.Boxes().empty()) << ::testing::PrintToString(driver.Transcript());

    // M.A.C.S 5: the 9 after the 2 is refused with the message a typed 9 gets; the rest is dropped.
    DefineWith(AcmeRow);
    application.SetClipboardText(" 2947");
    driver.Press(Key::Insert, Modifier::Shift).Press('Z', Modifier::Ctrl);
    EXPECT_EQ(Text("Edit1"), "2");
    EXPECT_EQ(Focused(), "Edit1");
    ASSERT_EQ(driver.Boxes().size(), 1U) << ::testing::PrintToString(driver.Transcript());
    EXPECT_EQ(LastBox().text,
              "The Number you entered exceeds the\nMaximum Adjacent Cuts for this Manufacturer.");
    driver.ClearRecord();
    application.SetClipboardText("x1");
    driver.Press('V', Modifier::Ctrl);
    EXPECT_EQ(Text("Edit1"), "2");
    EXPECT_EQ(LastBox().text, "This is a numerical field only.\nYou must use a number from 0 through 9");
}

#include "DialogFixture.h"

#include "definition/DefinitionMessages.h"

using namespace varnholt::definition;
using namespace varnholt::definition::testing;
using varnholt::toolkit::BoxKind;

namespace {

// Acme: depths 0..9 in steps of 2, so four alternatives per chamber.
class QuantityStory : public DialogTest {
protected:
    void KeyWithChambers(const char* chambers, const char* key) {
        DefineWith(0);
        driver.Select("ListBox1", chambers).Type(key);
        ASSERT_EQ(Focused(), "Edit3");
    }
};

} // namespace

TEST_F(QuantityStory, SixChambersHoldSixtyFourMastersAndTheLevelsShareTheRest) {
    KeyWithChambers("6", "246864");
    EXPECT_EQ(Text("Label12"), "64");

    driver.Type("12\n");
    EXPECT_EQ(Focused(), "Edit4");
    EXPECT_EQ(Text("Label13"), "4");
    driver.Type("3");
    EXPECT_EQ(Text("Label11"), "64");
    driver.Type("\n");
    EXPECT_EQ(Focused(), "Edit6");
    EXPECT_EQ(Text("Label11"), "64");

    // The count asked is per sub-master; beside it the whole system's.
    driver.Type("20");
    EXPECT_EQ(Text("KeysInAll"), "720 in all");
    driver.Type("\b\b");
    EXPECT_EQ(Text("KeysInAll"), "");
}

TEST_F(QuantityStory, EnterInAnEmptyMastersFieldMeansNoMastersAndAllKeys) {
    KeyWithChambers("6", "246864");
    driver.Type("\n");

    EXPECT_EQ(Text("Edit3"), "0");
    EXPECT_EQ(Text("Edit4"), "0");
    EXPECT_EQ(Text("Label13"), "0");
    EXPECT_EQ(Text("Label11"), "4096");
    EXPECT_EQ(Focused(), "Edit6");
}

TEST_F(QuantityStory, AZeroAfterADigitEndsTheMastersEntry) {
    KeyWithChambers("6", "246864");
    driver.Type("90");
    EXPECT_EQ(Text("Edit3"), "9");
    EXPECT_EQ(Focused(), "Edit4");
}

TEST_F(QuantityStory, FiveChambersLeaveSubMastersOnlyForFewMasters) {
    KeyWithChambers("5", "24686");
    driver.Type("4\n");
    EXPECT_EQ(Text("Label13"), "4");

    driver.Focus("Edit3").Type("\b5\n");
    EXPECT_EQ(Text("Edit3"), "5");
    EXPECT_EQ(Text("Edit4"), "0");
    EXPECT_EQ(Text("Label13"), "0");
    EXPECT_EQ(Focused(), "Edit6");
}

TEST_F(QuantityStory, FourChambersMoveStraightOnToTheKeys) {
    KeyWithChambers("4", "2468");
    EXPECT_EQ(Text("Label12"), "4");
    driver.Type("3\n");

    EXPECT_EQ(Text("Edit4"), "0");
    EXPECT_EQ(Text("Label13"), "0");
    EXPECT_EQ(Focused(), "Edit6");
    EXPECT_TRUE(driver.Boxes().empty());
}

TEST_F(QuantityStory, MoreMastersThanAvailableAreRefusedAndTheFieldEmptied) {
    KeyWithChambers("6", "246864");
    driver.Type("65");

    EXPECT_EQ(LastBox().kind, BoxKind::Error);
    EXPECT_EQ(LastBox().text,
              "You can't ask for more masters than are available!\nPlease reduce the quantity to continue.");
    EXPECT_EQ(Text("Edit3"), "");
    EXPECT_EQ(Focused(), "Edit3");
}

TEST_F(QuantityStory, TooManySubMastersEmptyTheirFieldOnly) {
    KeyWithChambers("6", "246864");
    driver.Type("12\n65");

    EXPECT_EQ(LastBox().kind, BoxKind::Error);
    EXPECT_EQ(LastBox().text,
              "You are requesting too many Sub-Master Keys.\nPlease reduce the quantity to continue.");
    EXPECT_EQ(Text("Edit4"), "");
    EXPECT_EQ(Text("Edit3"), "12");
    EXPECT_EQ(Focused(), "Edit4");
}

TEST_F(QuantityStory, MastersThatNoLongerFitAfterFewerChambersAreRefused) {
    KeyWithChambers("6", "246864");
    driver.Type("60");
    EXPECT_EQ(Text("Edit3"), "6");
    driver.Focus("Edit3").Type("2");
    ASSERT_EQ(Text("Edit3"), "62");

    // Three chambers chosen with the keyboard, then straight on to the sub-masters.
    driver.Focus("ListBox1")
        .Press(varnholt::toolkit::Key::Up)
        .Press(varnholt::toolkit::Key::Up)
        .Press(varnholt::toolkit::Key::Up);
    driver.Focus("Edit4");
    EXPECT_EQ(state.Chambers, 3);
    EXPECT_EQ(LastBox().kind, BoxKind::Error);
    EXPECT_EQ(LastBox().text,
              "You are requesting too many Master Keys.\nPlease reduce the quantity to continue.");
    EXPECT_EQ(Text("Edit3"), "");
    EXPECT_EQ(Text("Label13"), "0");
    EXPECT_EQ(Focused(), "Edit3");
}

TEST_F(QuantityStory, SubMastersWithoutMastersAreQuestioned) {
    KeyWithChambers("6", "246864");
    driver.Type("\n");
    driver.Focus("Edit4");

    EXPECT_EQ(LastBox().kind, BoxKind::Information);
    EXPECT_EQ(LastBox().text,
              "Sorry, but how can you have Sub-Master keys\nwhen you don't have any Master keys?");
    EXPECT_EQ(Focused(), "Edit6");
}

TEST_F(QuantityStory, SubMastersAfterAnEmptyMastersFieldAreQuestionedOnlyWhereTheyCouldFit) {
    KeyWithChambers("6", "246864");
    driver.Focus("Edit4");
    EXPECT_EQ(LastBox().text, NoMastersMessage);
    EXPECT_EQ(Focused(), "Edit6");

    driver.Click("Button4");
    KeyWithChambers("4", "2468");
    driver.ClearRecord();
    driver.Focus("Edit4");
    EXPECT_TRUE(driver.Boxes().empty()) << driver.Transcript().front();
    EXPECT_EQ(Text("Edit4"), "0");
    EXPECT_EQ(Focused(), "Edit6");
}

TEST_F(QuantityStory, EveryQuantityFieldTakesDigitsAndTheLetterForAllOnly) {
    KeyWithChambers("6", "246864");
    driver.Type("12\n");
    for (const char* field : {"Edit4", "Edit6", "Edit3"}) {
        driver.Focus(field);
        driver.ClearRecord();
        driver.Type("-");
        ASSERT_EQ(driver.Boxes().size(), 1U) << field;
        EXPECT_EQ(LastBox().kind, BoxKind::Information) << field;
        EXPECT_TRUE(LastBox().afterBeep) << field;
        EXPECT_EQ(LastBox().text, "This is a numerical field only.\nYou must use a number from 0 through 9")
            << field;
        EXPECT_EQ(Focused(), field);
    }
    EXPECT_EQ(Text("Edit3"), "12");
}

TEST_F(QuantityStory, TheLetterAForAllCopiesWhatIsAvailable) {
    KeyWithChambers("6", "246864");
    driver.Type("a");
    EXPECT_EQ(Text("Edit3"), "64");
    // No sub-masters fit under 64 masters: the field is answered with "0" on the way through.
    EXPECT_EQ(Text("Label13"), "0");
    EXPECT_EQ(Text("Edit4"), "0");
    EXPECT_EQ(Focused(), "Edit6");
    driver.Type("A");
    EXPECT_EQ(Text("Edit6"), Text("Label11"));
    EXPECT_EQ(Text("Label11"), "64");
    EXPECT_EQ(Focused(), "Button3");
}

TEST_F(QuantityStory, TheKeysFieldRefusesMoreThanAvailableAndMovesOnAtTheMaximum) {
    KeyWithChambers("6", "246864");
    driver.Type("12\n3\n");
    ASSERT_EQ(Text("Label11"), "64");

    driver.Type("65");
    EXPECT_EQ(LastBox().kind, BoxKind::Information);
    EXPECT_EQ(LastBox().text, "Come on!  Really?\nYou want more keys than are available?");
    EXPECT_EQ(Text("Edit6"), "");
    EXPECT_EQ(Focused(), "Edit6");

    driver.Type("64");
    EXPECT_EQ(Focused(), "Button3");
}

TEST_F(QuantityStory, BackspaceInTheKeysFieldRemovesTheLastDigit) {
    KeyWithChambers("6", "246864");
    driver.Type("12\n3\n").Type("45");
    driver.Focus("Edit6");
    form2.Get<varnholt::toolkit::Edit>("Edit6").SetSelStart(0);
    driver.Type("\b");
    EXPECT_EQ(Text("Edit6"), "4");
}

TEST_F(QuantityStory, EnterInAnEmptyKeysFieldTakesAllAvailable) {
    KeyWithChambers("6", "246864");
    driver.Type("12\n3\n\n");
    EXPECT_EQ(Text("Edit6"), "64");
    EXPECT_EQ(Focused(), "Button3");
}

TEST_F(QuantityStory, ReenteringTheKeysFieldReplacesAnEarlierAnswerWithTheNewMaximum) {
    KeyWithChambers("6", "246864");
    driver.Type("12\n3\n").Type("20");
    driver.Focus("Edit3").Focus("Edit6");
    EXPECT_EQ(Text("Edit6"), "64");
    EXPECT_EQ(Focused(), "Button3");
}

TEST_F(QuantityStory, SubMastersAboveTheDisplayedMaximumAreLoweredSilently) {
    KeyWithChambers("6", "246864");
    driver.Type("12\n9");
    EXPECT_EQ(Text("Edit4"), "9");
    driver.Type("\n");
    EXPECT_EQ(Text("Edit4"), "4");
    EXPECT_EQ(state.SubMasterCount, 4);
    EXPECT_TRUE(driver.Boxes().empty());
}

TEST_F(QuantityStory, ANumberBeyondTheIntegerRangeIsAConversionErrorNotAnOverflow) {
    KeyWithChambers("6", "246864");
    driver.Type("\n");
    application.Dispatch([&] { form2.Get<varnholt::toolkit::Edit>("Edit6").SetText("99999999999"); });
    EXPECT_EQ(LastBox().kind, BoxKind::Error);
    EXPECT_EQ(LastBox().text, "'99999999999' is not a valid integer value");
}

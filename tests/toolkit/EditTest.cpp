#include "TestForm.h"

#include <gtest/gtest.h>

using namespace varnholt::toolkit;

namespace {

class EditModel : public testing::Test, protected TestDialog {
protected:
    int changes = 0;
    EditModel() {
        name.OnChange = [this] { ++changes; };
    }
};

TEST_F(EditModel, SettingTheTextByProgramFiresChangeOnlyWhenItReallyChanges) {
    name.SetText("Acme");
    name.SetText("Acme");
    EXPECT_EQ(changes, 1);
    name.SetText("");
    EXPECT_EQ(changes, 2);
}

TEST_F(EditModel, SettingTheTextPutsTheCaretAtTheStartAndClearsTheSelection) {
    name.SetText("Acme");
    name.SelectAll();
    name.SetText("Bolt");
    EXPECT_EQ(name.SelStart(), 0);
    EXPECT_EQ(name.SelLength(), 0);
}

TEST_F(EditModel, TheProgramMayPutTextLongerThanMaxLength) {
    name.SetMaxLength(2);
    name.SetText("12345");
    EXPECT_EQ(name.Text(), "12345");
    name.MoveCaretToEnd();
    driver.Type("6");
    EXPECT_EQ(name.Text(), "12345");
}

TEST_F(EditModel, CaretPositionsAreClampedToTheText) {
    name.SetText("äbc");
    name.SetSelStart(10);
    EXPECT_EQ(name.SelStart(), 3);
    name.SetSelStart(-1);
    EXPECT_EQ(name.SelStart(), 0);
}

TEST_F(EditModel, TypingOverASelectionWithinMaxLengthReplacesIt) {
    name.SetMaxLength(3);
    name.SetText("123");
    name.SelectAll();
    driver.Type("9");
    EXPECT_EQ(name.Text(), "9");
}

TEST_F(EditModel, BackspaceOnASelectionRemovesJustTheSelection) {
    name.SetText("abcd");
    name.SetSelStart(1);
    name.SetSelLength(2);
    driver.Press(Key::Back);
    EXPECT_EQ(name.Text(), "ad");
    EXPECT_EQ(name.SelStart(), 1);
}

TEST_F(EditModel, AReadOnlyFieldIgnoresTyping) {
    name.SetReadOnly(true);
    driver.Type("abc").Press(Key::Back);
    EXPECT_EQ(changes, 0);
}

TEST_F(EditModel, CheckingABoxByProgramFiresItsClickOnlyOnARealChange) {
    int clicks = 0;
    option.OnClick = [&] { ++clicks; };
    option.SetChecked(true);
    option.SetChecked(true);
    option.SetChecked(false);
    EXPECT_EQ(clicks, 2);
}

TEST_F(EditModel, ListIndexByProgramIsQuietAndOutOfRangeMeansNone) {
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    list.SetItems({"One", "Two"});
    list.SetItemIndex(1);
    EXPECT_EQ(list.SelectedItem(), "Two");
    list.SetItemIndex(5);
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(clicks, 0);
    driver.Select("List", "One");
    EXPECT_EQ(clicks, 1);
}

TEST_F(EditModel, ComponentsTakeTheirParentsFontAndColourUnlessGivenTheirOwn) {
    Font serif{"Times New Roman", 12, 0, true, false, Colours::Navy};
    form.SetTextFont(serif);
    EXPECT_EQ(factor.TextFont(), serif);
    Font small = serif;
    small.pointSize = 8;
    panel.SetTextFont(small);
    EXPECT_EQ(factor.TextFont().pointSize, 8);
    EXPECT_EQ(name.TextFont().pointSize, 12);
    panel.SetBackground(Colours::Silver);
    EXPECT_EQ(option.Background(), Colours::Silver);
    EXPECT_EQ(factor.Background(), Colours::Window);
}

TEST_F(EditModel, AComponentShowsOnlyWhenItAndItsParentsAreVisible) {
    panel.Hide();
    EXPECT_TRUE(factor.Visible());
    EXPECT_FALSE(factor.Showing());
    EXPECT_FALSE(driver.Showing("FactorField"));
    panel.Show();
    EXPECT_TRUE(driver.Showing("FactorField"));
    form.Hide();
    EXPECT_FALSE(driver.Showing("FactorField"));
}

} // namespace

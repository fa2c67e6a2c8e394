#include "TestForm.h"

#include "toolkit/UserInput.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace varnholt::toolkit;
using testing::ElementsAre;

namespace {

// Two windows, as in the program: a main window with a menu button and a dialog over it.
class TwoWindowStory : public testing::Test, protected TestDialog {
protected:
    Form mainWindow{application, "Main"};
    Button& open = mainWindow.Add<Button>("Button1");
    Edit& note = mainWindow.Add<Edit>("Edit1");
    std::vector<std::string> events;

    TwoWindowStory() {
        form.Hide();
        mainWindow.Show();
        open.SetFocus();
        open.OnClick = [this] {
            form.Show();
            name.SetFocus();
        };
        ok.OnClick = [this] { form.Hide(); };
    }
};

TEST_F(TwoWindowStory, KeysGoToTheWindowShownLastUntilItIsHidden) {
    driver.Press(Key::Return);
    EXPECT_EQ(application.ActiveForm(), &form);
    driver.Type("Acme\n");
    EXPECT_EQ(name.Text(), "Acme");
    EXPECT_EQ(application.ActiveForm(), &mainWindow);
    EXPECT_EQ(driver.FocusedName(), "Button1");
}

TEST_F(TwoWindowStory, NamesAreFoundOnTheActiveFormFirstOrQualifiedByTheForm) {
    driver.Click("Button1");
    EXPECT_EQ(&driver.Find("NameField"), &name);
    EXPECT_EQ(&driver.Find("Main.Edit1"), &note);
    EXPECT_THROW(driver.Find("Dialog.Edit1"), std::logic_error);
    EXPECT_THROW(driver.Find("Nothing"), std::logic_error);
}

TEST_F(TwoWindowStory, TheUserCannotReachComponentsOfAHiddenWindow) {
    EXPECT_THROW(driver.Click("OkButton"), std::logic_error);
    EXPECT_FALSE(driver.Showing("NameField"));
}

TEST_F(TwoWindowStory, ClosingOneWindowReturnsTheKeyboardToTheOtherOne) {
    driver.Click("Button1").Close();
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(application.ActiveForm(), &mainWindow);
    driver.Close("Main");
    EXPECT_EQ(application.ActiveForm(), nullptr);
    EXPECT_THROW(driver.Type("x"), std::logic_error);
}

TEST_F(TwoWindowStory, ACentredWindowIsPlacedInTheMiddleOfTheScreenWhenShown) {
    application.SetScreenSize(1000, 800);
    form.SetClientSize(400, 300);
    form.SetCentredOnScreen(true);
    form.SetPosition(0, 0);
    form.Show();
    EXPECT_EQ(form.Left(), 300);
    EXPECT_EQ(form.Top(), 250);
}

class MouseStory : public testing::Test, protected TestDialog {
protected:
    std::vector<std::string> events;
};

TEST_F(MouseStory, ADoubleClickOnAListItemSelectsItClicksAndThenDoubleClicks) {
    list.SetItems({"Acme", "Best", "Corbin"});
    list.OnClick = [&] { events.push_back("click " + list.SelectedItem()); };
    list.OnDblClick = [&] { events.push_back("double click " + list.SelectedItem()); };
    list.OnEnter = [&] { events.push_back("enter"); };
    driver.DoubleClickItem("List", 2);
    EXPECT_THAT(events, ElementsAre("enter", "click Corbin", "double click Corbin"));
    EXPECT_EQ(driver.FocusedName(), "List");
}

TEST_F(MouseStory, SelectingByTextRefusesAnItemThatIsNotThere) {
    list.SetItems({"Acme"});
    EXPECT_THROW(driver.Select("List", "Best"), std::logic_error);
    EXPECT_THROW(driver.Select("List", 1), std::logic_error);
    driver.Select("List", "Acme");
    EXPECT_EQ(list.ItemIndex(), 0);
}

TEST_F(MouseStory, ClickingALabelRunsItsClickWithoutTakingTheFocus) {
    status.OnClick = [&] { events.push_back("label clicked"); };
    driver.Click("Status");
    EXPECT_THAT(events, ElementsAre("label clicked"));
    EXPECT_EQ(driver.FocusedName(), "NameField");
}

TEST_F(MouseStory, ClickingIntoAFieldPutsTheCaretAfterItsTextWithoutSelecting) {
    count.SetText("42");
    driver.Focus("CountField");
    EXPECT_EQ(count.SelStart(), 2);
    EXPECT_EQ(count.SelLength(), 0);
}

TEST_F(MouseStory, ClickingACheckBoxTogglesItAndTakesTheFocus) {
    option.OnClick = [&] { events.push_back(option.Checked() ? "on" : "off"); };
    driver.Click("Option").Click("Option");
    EXPECT_THAT(events, ElementsAre("on", "off"));
    EXPECT_EQ(driver.FocusedName(), "Option");
    EXPECT_FALSE(driver.Checked("Option"));
}

TEST_F(MouseStory, ADisabledButtonCannotBeClicked) {
    ok.SetEnabled(false);
    EXPECT_THROW(driver.Click("OkButton"), std::logic_error);
    panel.SetEnabled(false);
    EXPECT_THROW(driver.Focus("FactorField"), std::logic_error);
}

TEST_F(MouseStory, TheTextOfAnyComponentReadsAsTheUserSeesIt) {
    status.SetCaption("Ready");
    name.SetText("Acme");
    panel.SetCaption("Data");
    list.SetItems({"One"});
    list.SetItemIndex(0);
    EXPECT_EQ(driver.Text("Status"), "Ready");
    EXPECT_EQ(driver.Text("NameField"), "Acme");
    EXPECT_EQ(driver.Text("OkButton"), "OK");
    EXPECT_EQ(driver.Text("Panel1"), "Data");
    EXPECT_EQ(driver.Text("List"), "One");
}

TEST_F(MouseStory, ComponentsAreFoundByNameAndKnowTheirPanel) {
    EXPECT_EQ(&form.Get<Edit>("NameField"), &name);
    EXPECT_THROW(form.Get<Button>("NameField"), std::out_of_range);
    EXPECT_EQ(form.Find("Missing"), nullptr);
    EXPECT_EQ(factor.Parent(), &panel);
    EXPECT_THAT(panel.Children(), ElementsAre(&factor, &option));
}

} // namespace

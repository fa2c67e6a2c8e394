#include "TestForm.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace varnholt::toolkit;
using testing::ElementsAre;

namespace {

class FocusStory : public testing::Test, protected TestDialog {
protected:
    std::vector<std::string> events;

    void Record(Component& component) {
        component.OnEnter = [this, &component] { events.push_back("enter " + component.Name()); };
        component.OnExit = [this, &component] { events.push_back("exit " + component.Name()); };
    }
};

TEST_F(FocusStory, TabWalksTheTabStopsInOrderIncludingThePanelsFieldsAndWrapsRound) {
    driver.Tab();
    EXPECT_EQ(driver.FocusedName(), "CountField");
    driver.Tab().Tab().Tab().Tab().Tab().Tab();
    EXPECT_EQ(driver.FocusedName(), "NameField");
    driver.BackTab();
    EXPECT_EQ(driver.FocusedName(), "CancelButton");
}

TEST_F(FocusStory, TabSkipsHiddenDisabledNonTabStopsAndEverythingOnAHiddenPanel) {
    count.Hide();
    panel.Hide();
    list.SetEnabled(false);
    ok.SetTabStop(false);
    driver.Tab();
    EXPECT_EQ(driver.FocusedName(), "CancelButton");
    panel.Show();
    driver.Tab();
    EXPECT_EQ(driver.FocusedName(), "NameField");
    driver.Tab();
    EXPECT_EQ(driver.FocusedName(), "FactorField");
}

TEST_F(FocusStory, TabOrderFollowsTheNumbersNotTheCreationOrder) {
    count.SetTabOrder(0);
    name.SetTabOrder(1);
    driver.Focus("CountField").Tab();
    EXPECT_EQ(driver.FocusedName(), "NameField");
}

TEST_F(FocusStory, ExitOfTheOldHolderRunsBeforeEnterOfTheNewOne) {
    Record(name);
    Record(count);
    driver.Tab();
    EXPECT_THAT(events, ElementsAre("exit NameField", "enter CountField"));
}

TEST_F(FocusStory, FocusingTheHolderAgainDoesNothing) {
    Record(name);
    name.SetFocus();
    EXPECT_TRUE(events.empty());
}

TEST_F(FocusStory, TheFieldThatReceivesTheFocusSendsItBackToTheFieldBeforeIt) {
    Record(name);
    Record(count);
    count.OnEnter = [&] {
        events.push_back("enter CountField");
        if (name.Text().empty()) {
            name.SetFocus();
        }
    };
    driver.Tab();
    EXPECT_THAT(events,
                ElementsAre("exit NameField", "enter CountField", "exit CountField", "enter NameField"));
    EXPECT_EQ(driver.FocusedName(), "NameField");
}

TEST_F(FocusStory, AnExitReactionThatMovesTheFocusElsewhereCancelsTheEnterOfTheTarget) {
    Record(name);
    Record(count);
    Record(factor);
    name.OnExit = [&] {
        events.push_back("exit NameField");
        factor.SetFocus();
    };
    driver.Tab();
    EXPECT_THAT(events, ElementsAre("exit NameField", "enter FactorField"));
    EXPECT_EQ(driver.FocusedName(), "FactorField");
}

TEST_F(FocusStory, AClickThatLosesTheFocusInTheExitReactionDoesNotClick) {
    int clicks = 0;
    ok.OnClick = [&] { ++clicks; };
    name.OnExit = [&] { name.SetFocus(); };
    driver.Click("OkButton");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(driver.FocusedName(), "NameField");
    name.OnExit = nullptr;
    driver.Click("OkButton");
    EXPECT_EQ(clicks, 1);
}

TEST_F(FocusStory, HiddenAndDisabledComponentsCannotTakeTheFocus) {
    panel.Hide();
    factor.SetFocus();
    EXPECT_EQ(driver.FocusedName(), "NameField");
    EXPECT_THROW(driver.Click("FactorField"), std::logic_error);
}

} // namespace

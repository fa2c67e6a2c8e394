#include "TestForm.h"

#include "toolkit/UserInput.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace varnholt::toolkit;
using testing::ElementsAre;

namespace {

class KeyStory : public testing::Test, protected TestDialog {
protected:
    std::vector<std::string> events;
    int okClicks = 0;
    int cancelClicks = 0;

    KeyStory() {
        ok.OnClick = [this] { ++okClicks; };
        cancel.OnClick = [this] { ++cancelClicks; };
    }
};

TEST_F(KeyStory, TypedTextArrivesKeyDownThenKeyPressThenChange) {
    form.SetKeyPreview(true);
    form.OnKeyDown = [&](std::uint16_t& key, ShiftState) {
        events.push_back("form down " + std::to_string(key));
    };
    name.OnKeyDown = [&](std::uint16_t& key, ShiftState shift) {
        events.push_back("down " + std::to_string(key) + (shift.Has(Modifier::Shift) ? " shift" : ""));
    };
    name.OnKeyPress = [&](char32_t& key) {
        events.push_back("press " + std::string(1, static_cast<char>(key)));
    };
    name.OnChange = [&] { events.push_back("change " + name.Text()); };
    driver.Type("Ab");
    EXPECT_THAT(events, ElementsAre("form down 65", "down 65 shift", "press A", "change A", "form down 66",
                                    "down 66", "press b", "change Ab"));
}

TEST_F(KeyStory, AConsumedKeyDownStopsEverythingAfterIt) {
    name.OnKeyDown = [](std::uint16_t& key, ShiftState) {
        if (key == 'X') {
            key = 0;
        }
    };
    name.OnKeyPress = [&](char32_t&) { events.push_back("press"); };
    driver.Type("x");
    EXPECT_EQ(name.Text(), "");
    EXPECT_TRUE(events.empty());
}

TEST_F(KeyStory, KeyPreviewSeesKeysFirstAndCanConsumeThem) {
    form.SetKeyPreview(true);
    int helpRequests = 0;
    form.OnKeyDown = [&](std::uint16_t& key, ShiftState) {
        if (key == Key::F1) {
            ++helpRequests;
            key = 0;
        }
    };
    name.OnKeyDown = [&](std::uint16_t&, ShiftState) { events.push_back("field saw it"); };
    driver.Press(Key::F1);
    EXPECT_EQ(helpRequests, 1);
    EXPECT_TRUE(events.empty());
    form.SetKeyPreview(false);
    driver.Press(Key::F1);
    EXPECT_EQ(helpRequests, 1);
    EXPECT_THAT(events, ElementsAre("field saw it"));
}

TEST_F(KeyStory, AFormWithoutKeyPreviewHearsKeysOnlyWhenNothingHasTheFocus) {
    Form bare{application, "Bare"};
    std::vector<std::uint16_t> keys;
    bare.OnKeyDown = [&](std::uint16_t& key, ShiftState) { keys.push_back(key); };
    Edit& field = bare.Add<Edit>("Field");
    bare.Show();
    driver.Press(Key::PageDown);
    field.SetFocus();
    driver.Press(Key::PageUp);
    EXPECT_THAT(keys, ElementsAre(Key::PageDown));
}

TEST_F(KeyStory, KeyPressMayFilterOrReplaceTheCharacter) {
    name.OnKeyPress = [](char32_t& key) {
        if (key < U'0' || key > U'9') {
            key = key == U'o' ? U'0' : 0;
        }
    };
    driver.Type("1a2o");
    EXPECT_EQ(name.Text(), "120");
}

TEST_F(KeyStory, TypingInsertsAtTheCaretAndBackspaceDeletesBeforeIt) {
    name.SetText("ace");
    name.SetSelStart(1);
    driver.Type("b");
    EXPECT_EQ(name.Text(), "abce");
    EXPECT_EQ(name.SelStart(), 2);
    driver.Press(Key::Back).Press(Key::Back);
    EXPECT_EQ(name.Text(), "ce");
    EXPECT_EQ(name.SelStart(), 0);
    driver.Press(Key::Back);
    EXPECT_EQ(name.Text(), "ce");
    driver.Press(Key::End).Type("!").Press(Key::Left).Press(Key::Left).Press(Key::Delete);
    EXPECT_EQ(name.Text(), "c!");
}

TEST_F(KeyStory, MaxLengthCountsCharactersAndDropsWhatDoesNotFit) {
    name.SetMaxLength(3);
    int changes = 0;
    name.OnChange = [&] { ++changes; };
    driver.Type("Müller");
    EXPECT_EQ(name.Text(), "Mül");
    EXPECT_EQ(name.Length(), 3);
    EXPECT_EQ(changes, 3);
}

TEST_F(KeyStory, EnteringAFieldByTabSelectsItsTextSoTypingReplacesIt) {
    count.SetText("12");
    driver.Tab().Type("7");
    EXPECT_EQ(count.Text(), "7");
    driver.Focus("NameField").Type("x");
    driver.Focus("CountField").Type("8");
    EXPECT_EQ(count.Text(), "78");
}

TEST_F(KeyStory, EnterInAFieldClicksTheDefaultButtonUnlessConsumed) {
    driver.Press(Key::Return);
    EXPECT_EQ(okClicks, 1);
    name.OnKeyPress = [](char32_t& key) {
        if (key == U'\r') {
            key = 0;
        }
    };
    driver.Press(Key::Return);
    EXPECT_EQ(okClicks, 1);
}

TEST_F(KeyStory, EnterOrSpaceOnAFocusedButtonClicksThatButton) {
    driver.Focus("CancelButton").Press(Key::Return).Press(Key::Space);
    EXPECT_EQ(cancelClicks, 2);
    EXPECT_EQ(okClicks, 0);
}

TEST_F(KeyStory, EscapeClicksTheCancelButtonFromAnywhere) {
    driver.Type("half typed").Press(Key::Escape);
    EXPECT_EQ(cancelClicks, 1);
    driver.Focus("List").Press(Key::Escape);
    EXPECT_EQ(cancelClicks, 2);
}

TEST_F(KeyStory, NeitherEnterNorEscapeClicksAHiddenOrMissingButton) {
    ok.Hide();
    cancel.SetEnabled(false);
    driver.Press(Key::Return).Press(Key::Escape);
    form.SetDefaultButton(nullptr);
    driver.Press(Key::Return);
    EXPECT_EQ(okClicks + cancelClicks, 0);
}

TEST_F(KeyStory, SpaceTogglesAFocusedCheckBox) {
    std::vector<bool> seen;
    option.OnClick = [&] { seen.push_back(option.Checked()); };
    driver.Focus("Option").Press(Key::Space).Press(Key::Space);
    EXPECT_THAT(seen, ElementsAre(true, false));
}

TEST_F(KeyStory, ArrowKeysMoveTheListSelectionAndReportItAsAClick) {
    list.SetItems({"Alpha", "Beta", "Gamma"});
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    driver.Focus("List").Press(Key::Down).Press(Key::Down).Press(Key::Down).Press(Key::Down);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(clicks, 3);
    driver.Press(Key::Up);
    EXPECT_EQ(driver.Text("List"), "Beta");
}

TEST_F(KeyStory, CharactersOfTheKeyboardCarryTheirKeyCodes) {
    EXPECT_EQ(StrokeForCharacter(U'7').key, '7');
    EXPECT_EQ(StrokeForCharacter(U'q').key, 'Q');
    EXPECT_TRUE(StrokeForCharacter(U'Q').shift.Has(Modifier::Shift));
    EXPECT_EQ(StrokeForCharacter(U'\n').character, U'\r');
    EXPECT_EQ(StrokeForCharacter(U'ü').key, Key::Packet);
    EXPECT_EQ(StrokeForKey('W', {}).character, U'w');
    EXPECT_EQ(StrokeForKey(Key::Left, {}).character, 0U);
}

} // namespace

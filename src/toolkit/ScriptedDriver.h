#pragma once

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/HeadlessMessageService.h"
#include "toolkit/Keys.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::toolkit {

class Edit;
class ListBox;

// Plays a user for story tests: types, presses keys, clicks, answers message boxes, and reads
// what the user sees. Keys go to the active form. Components are named as on their form
// ("Edit1") and searched in the active form first, then in every form; "Form2.Edit1" names
// the form explicitly. Acting on a component the user could not reach (hidden, disabled, on a
// hidden form) throws std::logic_error: that is a fault of the test.
//
//   driver.Click("Button2").Type("Acme").Tab().Type("5");
//   driver.AnswerNext(Answer::Yes).Click("Button6");
//   EXPECT_EQ(driver.LastBox().text, "The Manufacturer's file has been updated.");
class ScriptedDriver {
public:
    ScriptedDriver(Application& application, HeadlessMessageService& messages);

    // Types text keystroke by keystroke into the focused component ('\n' is Enter, '\t' Tab,
    // '\b' Backspace).
    ScriptedDriver& Type(std::string_view text);
    ScriptedDriver& Press(std::uint16_t key, ShiftState shift = {});
    ScriptedDriver& Tab();
    ScriptedDriver& BackTab();
    ScriptedDriver& Click(std::string_view name);
    ScriptedDriver& DoubleClick(std::string_view name);
    // Clicks an item of a list box (by index or by its text).
    ScriptedDriver& Select(std::string_view listName, int index);
    ScriptedDriver& Select(std::string_view listName, std::string_view item);
    ScriptedDriver& DoubleClickItem(std::string_view listName, int index);
    // Clicks into the component as a user does to give it the focus.
    ScriptedDriver& Focus(std::string_view name);
    // Closes the active form (or the named form) through its close box.
    ScriptedDriver& Close();
    ScriptedDriver& Close(std::string_view formName);
    // The answer to the next Yes/No question.
    ScriptedDriver& AnswerNext(Answer answer);

    Form& ActiveForm() const;
    Component& Find(std::string_view name) const;
    template <typename T> T& Get(std::string_view name) const;
    // Edit text, or the caption of a label, button, check box or panel, or a list's selection.
    std::string Text(std::string_view name) const;
    bool Checked(std::string_view name) const;
    bool Showing(std::string_view name) const;
    // Name of the focused component of the active form, "" when none.
    std::string FocusedName() const;

    const std::vector<ShownBox>& Boxes() const { return messages.Boxes(); }
    // The last box shown; throws std::logic_error when none was.
    const ShownBox& LastBox() const;
    int Beeps() const { return messages.Beeps(); }
    const std::vector<std::string>& Transcript() const { return messages.Transcript(); }
    void ClearRecord() { messages.ClearRecord(); }

private:
    Component& Reachable(std::string_view name) const;

    Application& application;
    HeadlessMessageService& messages;
};

template <typename T> T& ScriptedDriver::Get(std::string_view name) const {
    auto* typed = dynamic_cast<T*>(&Find(name));
    if (typed == nullptr) {
        throw std::logic_error("component " + std::string(name) + " is not of the requested kind");
    }
    return *typed;
}

} // namespace varnholt::toolkit
#include "toolkit/ScriptedDriver.h"

#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/UserInput.h"
#include "toolkit/Utf8.h"

#include <algorithm>
#include <stdexcept>

namespace varnholt::toolkit {

ScriptedDriver::ScriptedDriver(Application& app, HeadlessMessageService& messageService)
    : application(app), messages(messageService) {}

Form& ScriptedDriver::ActiveForm() const {
    Form* form = application.ActiveForm();
    if (form == nullptr) {
        throw std::logic_error("no form is shown");
    }
    return *form;
}

Component& ScriptedDriver::Find(std::string_view name) const {
    if (const auto dot = name.find('.'); dot != std::string_view::npos) {
        Form* form = application.FindForm(name.substr(0, dot));
        Component* component = form != nullptr ? form->Find(name.substr(dot + 1)) : nullptr;
        if (component == nullptr) {
            throw std::logic_error("no component " + std::string(name));
        }
        return *component;
    }
    if (Form* active = application.ActiveForm(); active != nullptr) {
        if (Component* component = active->Find(name); component != nullptr) {
            return *component;
        }
    }
    for (Form* form : application.Forms()) {
        if (Component* component = form->Find(name); component != nullptr) {
            return *component;
        }
    }
    throw std::logic_error("no component " + std::string(name) + " on any form");
}

Component& ScriptedDriver::Reachable(std::string_view name) const {
    Component& component = Find(name);
    if (!component.OwnerForm().Visible()) {
        throw std::logic_error(std::string(name) + " is on a hidden form");
    }
    if (!component.Showing()) {
        throw std::logic_error(std::string(name) + " is not visible");
    }
    if (!component.EnabledInTree()) {
        throw std::logic_error(std::string(name) + " is disabled");
    }
    return component;
}

ScriptedDriver& ScriptedDriver::Type(std::string_view text) {
    for (const char32_t character : DecodeUtf8(text)) {
        PressKey(ActiveForm(), StrokeForCharacter(character));
    }
    return *this;
}

ScriptedDriver& ScriptedDriver::Press(std::uint16_t key, ShiftState shift) {
    PressKey(ActiveForm(), StrokeForKey(key, shift));
    return *this;
}

ScriptedDriver& ScriptedDriver::Tab() {
    return Press(Key::Tab);
}

ScriptedDriver& ScriptedDriver::BackTab() {
    return Press(Key::Tab, Modifier::Shift);
}

ScriptedDriver& ScriptedDriver::Click(std::string_view name) {
    Component& component = Reachable(name);
    application.Activate(component.OwnerForm());
    ClickOn(component);
    return *this;
}

ScriptedDriver& ScriptedDriver::DoubleClick(std::string_view name) {
    Component& component = Reachable(name);
    application.Activate(component.OwnerForm());
    DoubleClickOn(component);
    return *this;
}

ScriptedDriver& ScriptedDriver::Select(std::string_view listName, int index) {
    auto* list = dynamic_cast<ListBox*>(&Reachable(listName));
    if (list == nullptr) {
        throw std::logic_error(std::string(listName) + " is not a list box");
    }
    if (index < 0 || index >= list->Count()) {
        throw std::logic_error(std::string(listName) + " has no item " + std::to_string(index));
    }
    application.Activate(list->OwnerForm());
    ClickItem(*list, index);
    return *this;
}

ScriptedDriver& ScriptedDriver::Select(std::string_view listName, std::string_view item) {
    const auto& items = Get<ListBox>(listName).Items();
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) {
        throw std::logic_error(std::string(listName) + " has no item \"" + std::string(item) + "\"");
    }
    return Select(listName, static_cast<int>(found - items.begin()));
}

ScriptedDriver& ScriptedDriver::DoubleClickItem(std::string_view listName, int index) {
    Select(listName, index);
    Component& list = Find(listName);
    if (list.Focused()) {
        list.OwnerForm().Raise(list.OnDblClick);
    }
    return *this;
}

ScriptedDriver& ScriptedDriver::Focus(std::string_view name) {
    Component& component = Reachable(name);
    if (!component.Focusable()) {
        throw std::logic_error(std::string(name) + " cannot take the focus");
    }
    application.Activate(component.OwnerForm());
    FocusByMouse(component);
    return *this;
}

ScriptedDriver& ScriptedDriver::Close() {
    CloseWindow(ActiveForm());
    return *this;
}

ScriptedDriver& ScriptedDriver::Close(std::string_view formName) {
    Form* form = application.FindForm(formName);
    if (form == nullptr) {
        throw std::logic_error("no form " + std::string(formName));
    }
    CloseWindow(*form);
    return *this;
}

ScriptedDriver& ScriptedDriver::AnswerNext(Answer answer) {
    messages.QueueAnswer(answer);
    return *this;
}

std::string ScriptedDriver::Text(std::string_view name) const {
    const Component& component = Find(name);
    if (const auto* edit = dynamic_cast<const Edit*>(&component)) {
        return edit->Text();
    }
    if (const auto* label = dynamic_cast<const Label*>(&component)) {
        return label->Caption();
    }
    if (const auto* button = dynamic_cast<const Button*>(&component)) {
        return button->Caption();
    }
    if (const auto* checkBox = dynamic_cast<const CheckBox*>(&component)) {
        return checkBox->Caption();
    }
    if (const auto* panel = dynamic_cast<const Panel*>(&component)) {
        return panel->Caption();
    }
    if (const auto* list = dynamic_cast<const ListBox*>(&component)) {
        return list->SelectedItem();
    }
    return {};
}

bool ScriptedDriver::Checked(std::string_view name) const {
    return Get<CheckBox>(name).Checked();
}

bool ScriptedDriver::Showing(std::string_view name) const {
    const Component& component = Find(name);
    return component.OwnerForm().Visible() && component.Showing();
}

std::string ScriptedDriver::FocusedName() const {
    const Form* form = application.ActiveForm();
    const Component* focused = form != nullptr ? form->Focused() : nullptr;
    return focused != nullptr ? focused->Name() : std::string();
}

const ShownBox& ScriptedDriver::LastBox() const {
    if (messages.Boxes().empty()) {
        throw std::logic_error("no message box was shown");
    }
    return messages.Boxes().back();
}

} // namespace varnholt::toolkit
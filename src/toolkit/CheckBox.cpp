#include "toolkit/CheckBox.h"

#include "toolkit/Keys.h"

namespace varnholt::toolkit {

CheckBox::CheckBox(Form& form, std::string name, Component* parent)
    : Component(form, std::move(name), parent) {
    StartAsTabStop();
}

void CheckBox::SetCaption(std::string value) {
    if (caption != value) {
        caption = std::move(value);
        Changed();
    }
}

void CheckBox::SetChecked(bool value) {
    if (checked == value) {
        return;
    }
    checked = value;
    Changed();
    Raise(OnClick);
}

void CheckBox::Click() {
    SetChecked(!checked);
}

bool CheckBox::KeyPressDefault(char32_t character) {
    if (character == Key::Space) {
        Click();
        return true;
    }
    return false;
}

} // namespace varnholt::toolkit
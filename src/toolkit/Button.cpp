#include "toolkit/Button.h"

#include "toolkit/Keys.h"

namespace varnholt::toolkit {

Button::Button(Form& form, std::string name, Component* parent) : Component(form, std::move(name), parent) {
    StartAsTabStop();
}

void Button::SetCaption(std::string value) {
    if (caption != value) {
        caption = std::move(value);
        Changed();
    }
}

bool Button::KeyPressDefault(char32_t character) {
    if (character == Key::Return || character == Key::Space) {
        Click();
        return true;
    }
    return false;
}

} // namespace varnholt::toolkit
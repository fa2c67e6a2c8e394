#include "toolkit/Label.h"

namespace varnholt::toolkit {

Label::Label(Form& form, std::string name, Component* parent) : Component(form, std::move(name), parent) {}

void Label::SetCaption(std::string value) {
    if (caption != value) {
        caption = std::move(value);
        Changed();
    }
}

void Label::SetAlignment(Alignment value) {
    if (alignment != value) {
        alignment = value;
        Changed();
    }
}

void Label::SetWordWrap(bool value) {
    if (wordWrap != value) {
        wordWrap = value;
        Changed();
    }
}

} // namespace varnholt::toolkit
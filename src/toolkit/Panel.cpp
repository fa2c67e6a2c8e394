#include "toolkit/Panel.h"

namespace varnholt::toolkit {

Panel::Panel(Form& form, std::string name, Component* parent) : Component(form, std::move(name), parent) {}

void Panel::SetCaption(std::string value) {
    if (caption != value) {
        caption = std::move(value);
        Changed();
    }
}

void Panel::SetBorder(Bevel value) {
    if (border != value) {
        border = value;
        Changed();
    }
}

} // namespace varnholt::toolkit
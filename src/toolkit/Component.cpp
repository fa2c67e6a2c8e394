#include "toolkit/Component.h"

#include "toolkit/Form.h"

namespace varnholt::toolkit {

Component::Component(Form& form, std::string name, Component* parent)
    : componentState(form, std::move(name), parent) {
    // Like the platform: a new component goes to the end of its parent's tab order.
    int siblings = 0;
    if (parent != nullptr) {
        siblings = static_cast<int>(parent->componentState.children.size());
        parent->componentState.children.push_back(this);
    } else {
        for (const auto& component : form.Components()) {
            if (component->Parent() == nullptr) {
                ++siblings;
            }
        }
    }
    componentState.tabOrder = siblings;
}

void Component::SetLeft(int value) {
    SetBounds(value, Top(), Width(), Height());
}
void Component::SetTop(int value) {
    SetBounds(Left(), value, Width(), Height());
}
void Component::SetWidth(int value) {
    SetBounds(Left(), Top(), value, Height());
}
void Component::SetHeight(int value) {
    SetBounds(Left(), Top(), Width(), value);
}

void Component::SetBounds(int newLeft, int newTop, int newWidth, int newHeight) {
    State& state = componentState;
    if (newLeft == state.left && newTop == state.top && newWidth == state.width &&
        newHeight == state.height) {
        return;
    }
    state.left = newLeft;
    state.top = newTop;
    state.width = newWidth;
    state.height = newHeight;
    Changed();
}

void Component::SetVisible(bool value) {
    if (componentState.visible != value) {
        componentState.visible = value;
        Changed();
    }
}

bool Component::Showing() const {
    for (const Component* component = this; component != nullptr; component = component->Parent()) {
        if (!component->Visible()) {
            return false;
        }
    }
    return true;
}

void Component::SetEnabled(bool value) {
    if (componentState.enabled != value) {
        componentState.enabled = value;
        Changed();
    }
}

bool Component::EnabledInTree() const {
    for (const Component* component = this; component != nullptr; component = component->Parent()) {
        if (!component->Enabled()) {
            return false;
        }
    }
    return true;
}

Colour Component::Background() const {
    if (componentState.background) {
        return *componentState.background;
    }
    return Parent() != nullptr ? Parent()->Background() : OwnerForm().Background();
}

void Component::SetBackground(Colour value) {
    componentState.background = value;
    Changed();
}

Font Component::TextFont() const {
    if (componentState.font) {
        return *componentState.font;
    }
    return Parent() != nullptr ? Parent()->TextFont() : OwnerForm().TextFont();
}

void Component::SetTextFont(Font value) {
    componentState.font = std::move(value);
    Changed();
}

void Component::SetTabOrder(int value) {
    if (componentState.tabOrder != value) {
        componentState.tabOrder = value;
        Changed();
    }
}

void Component::SetTabStop(bool value) {
    if (componentState.tabStop != value) {
        componentState.tabStop = value;
        Changed();
    }
}

bool Component::CanFocus() const {
    return Focusable() && Showing() && EnabledInTree();
}

bool Component::Focused() const {
    return OwnerForm().Focused() == this;
}

void Component::SetFocus() {
    OwnerForm().SetFocus(*this);
}

void Component::Click() {
    Raise(OnClick);
}

bool Component::KeyDownDefault(std::uint16_t, ShiftState) {
    return false;
}

bool Component::KeyPressDefault(char32_t) {
    return false;
}

void Component::Changed() {
    OwnerForm().NotifyComponentChanged(*this);
}

void Component::Raise(const std::function<void()>& event) {
    if (event) {
        OwnerForm().Raise(event);
    }
}

} // namespace varnholt::toolkit
#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/FormObserver.h"

#include <algorithm>

namespace varnholt::toolkit {

Form::Form(Application& application, std::string name) : formState(application, std::move(name)) {
    application.Register(*this);
}

Form::~Form() {
    formState.application.Unregister(*this);
}

Component* Form::Find(std::string_view componentName) const {
    for (const auto& component : formState.components) {
        if (component->Name() == componentName) {
            return component.get();
        }
    }
    return nullptr;
}

void Form::AddComponent(std::unique_ptr<Component> component) {
    Component& added = *component;
    formState.components.push_back(std::move(component));
    NotifyComponentChanged(added);
}

void Form::SetCaption(std::string value) {
    formState.caption = std::move(value);
    NotifyFormChanged();
}

void Form::SetClientSize(int width, int height) {
    formState.clientWidth = width;
    formState.clientHeight = height;
    NotifyFormChanged();
}

void Form::SetPosition(int newLeft, int newTop) {
    formState.left = newLeft;
    formState.top = newTop;
    NotifyFormChanged();
}

void Form::SetCentredOnScreen(bool value) {
    formState.centredOnScreen = value;
    if (formState.centredOnScreen) {
        PlaceInScreenCentre();
    }
    NotifyFormChanged();
}

void Form::PlaceInScreenCentre() {
    const Application& application = formState.application;
    const FramePosition centre = CentredInArea(formState.clientWidth, formState.clientHeight, application.Screen(),
                                               application.Frame(), application.CopyNumber());
    formState.left = centre.left;
    formState.top = centre.top;
}

void Form::SetResizable(bool value) {
    formState.resizable = value;
    NotifyFormChanged();
}

void Form::SetBackground(Colour value) {
    formState.background = value;
    NotifyFormChanged();
}

void Form::SetTextFont(Font value) {
    formState.font = std::move(value);
    NotifyFormChanged();
}

void Form::Show() {
    if (formState.centredOnScreen) {
        PlaceInScreenCentre();
    }
    const Application& application = formState.application;
    const FramePosition kept = KeptInArea({formState.left, formState.top}, formState.clientWidth,
                                          formState.clientHeight, application.Screen(), application.Frame());
    formState.left = kept.left;
    formState.top = kept.top;
    const bool wasVisible = formState.visible;
    formState.visible = true;
    formState.application.Activate(*this);
    NotifyFormChanged();
    if (!wasVisible) {
        Raise(OnShow);
    }
}

void Form::Hide() {
    if (formState.visible) {
        formState.visible = false;
        NotifyFormChanged();
    }
}

void Form::Close() {
    Raise(OnClose);
    Hide();
}

void Form::SetDefaultButton(Button* button) {
    formState.defaultButton = button;
    NotifyFormChanged();
}

void Form::SetCancelButton(Button* button) {
    formState.cancelButton = button;
    NotifyFormChanged();
}

void Form::SetFocus(Component& target) {
    MoveFocus(target, true);
}

void Form::SetFocusByMouse(Component& target) {
    MoveFocus(target, false);
}

void Form::MoveFocus(Component& target, bool selectText) {
    if (formState.focused == &target || &target.OwnerForm() != this || !target.CanFocus()) {
        return;
    }
    formState.focused = &target;
    const unsigned move = ++formState.focusMoves;
    if (auto* edit = dynamic_cast<Edit*>(&target); edit != nullptr && selectText && edit->AutoSelect()) {
        edit->SelectAll();
    }
    NotifyFocusChanged();
    // The previous holder leaves first; its reaction may send the focus elsewhere, and then
    // target never counts as entered.
    Component* previous = formState.entered;
    formState.entered = nullptr;
    if (previous != nullptr && previous->OnExit) {
        Raise(previous->OnExit);
        if (formState.focusMoves != move) {
            return;
        }
    }
    formState.entered = &target;
    if (target.OnEnter) {
        Raise(target.OnEnter);
    }
}

std::vector<Component*> Form::TabSequence() const {
    std::vector<Component*> sequence;
    const auto visit = [&](const auto& self, const Component* parent) -> void {
        std::vector<Component*> level;
        for (const auto& component : formState.components) {
            if (component->Parent() == parent && component->Visible() && component->Enabled()) {
                level.push_back(component.get());
            }
        }
        std::stable_sort(level.begin(), level.end(), [](const Component* first, const Component* second) {
            return first->TabOrder() < second->TabOrder();
        });
        for (Component* component : level) {
            if (component->Focusable() && component->TabStop()) {
                sequence.push_back(component);
            }
            self(self, component);
        }
    };
    visit(visit, nullptr);
    return sequence;
}

void Form::SelectNext(bool forward) {
    const std::vector<Component*> sequence = TabSequence();
    if (sequence.empty()) {
        return;
    }
    const auto current = std::find(sequence.begin(), sequence.end(), formState.focused);
    const auto count = static_cast<std::ptrdiff_t>(sequence.size());
    std::ptrdiff_t index = 0;
    if (current == sequence.end()) {
        index = forward ? 0 : count - 1;
    } else {
        const std::ptrdiff_t position = current - sequence.begin();
        index = (position + (forward ? 1 : count - 1)) % count;
    }
    SetFocus(*sequence[static_cast<std::size_t>(index)]);
}

void Form::AddObserver(FormObserver& observer) {
    formState.observers.push_back(&observer);
}

void Form::RemoveObserver(FormObserver& observer) {
    std::erase(formState.observers, &observer);
}

void Form::NotifyComponentChanged(Component& component) {
    for (FormObserver* observer : std::vector<FormObserver*>(formState.observers)) {
        observer->ComponentChanged(component);
    }
}

void Form::NotifyFormChanged() {
    for (FormObserver* observer : std::vector<FormObserver*>(formState.observers)) {
        observer->FormChanged();
    }
}

void Form::NotifyFocusChanged() {
    for (FormObserver* observer : std::vector<FormObserver*>(formState.observers)) {
        observer->FocusChanged();
    }
}

void Form::Raise(const std::function<void()>& event) {
    if (event) {
        formState.application.Dispatch(event);
    }
}

} // namespace varnholt::toolkit
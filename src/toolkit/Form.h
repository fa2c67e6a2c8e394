#pragma once

#include "toolkit/Colour.h"
#include "toolkit/Component.h"
#include "toolkit/Font.h"
#include "toolkit/Keys.h"
#include "toolkit/Panel.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::toolkit {

class Application;
class Button;
class FormObserver;

// A window with named components. The form creates and owns its components; references to
// them stay valid for the form's life. Forms are created once and shown and hidden.
class Form {
public:
    Form(Application& application, std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return formState.name; }
    Application& App() const { return formState.application; }

    // Creates a component directly on the form or on a panel: form.Add<Edit>("Edit1", Panel2).
    template <typename T> T& Add(std::string componentName) {
        return Adopt<T>(std::move(componentName), nullptr);
    }
    template <typename T> T& Add(std::string componentName, Panel& parent);

    // The component of that name, or nullptr.
    Component* Find(std::string_view componentName) const;
    // The component of that name and type; throws std::out_of_range when there is none.
    template <typename T> T& Get(std::string_view componentName) const;
    // All components in creation order (a panel always comes before its children).
    const std::vector<std::unique_ptr<Component>>& Components() const { return formState.components; }

    const std::string& Caption() const { return formState.caption; }
    void SetCaption(std::string value);
    int ClientWidth() const { return formState.clientWidth; }
    int ClientHeight() const { return formState.clientHeight; }
    void SetClientSize(int width, int height);
    // Screen position of the window's top-left corner.
    int Left() const { return formState.left; }
    int Top() const { return formState.top; }
    void SetPosition(int newLeft, int newTop);
    // When set, every Show places the window in the centre of the screen. Whatever its position,
    // a window is shown with its frame inside the screen, or from the screen's top edge where it
    // is taller (see KeptInArea).
    bool CentredOnScreen() const { return formState.centredOnScreen; }
    void SetCentredOnScreen(bool value);
    // A fixed dialog border (not resizable) or a sizeable one.
    bool Resizable() const { return formState.resizable; }
    void SetResizable(bool value);
    Colour Background() const { return formState.background; }
    void SetBackground(Colour value);
    // The font of every component that has none of its own.
    const Font& TextFont() const { return formState.font; }
    void SetTextFont(Font value);

    bool Visible() const { return formState.visible; }
    // Shows the window and makes it the active one; runs OnShow.
    void Show();
    void Hide();
    // What closing the window does: runs OnClose, then hides the form.
    void Close();

    // Enter in a field that did not consume it clicks the default button; Escape clicks the
    // cancel button. Either may be nullptr.
    Button* DefaultButton() const { return formState.defaultButton; }
    void SetDefaultButton(Button* button);
    Button* CancelButton() const { return formState.cancelButton; }
    void SetCancelButton(Button* button);

    // With key preview on, the form's OnKeyDown and OnKeyPress see every key before the
    // focused component does; without it they see keys only while no component has the focus.
    bool KeyPreview() const { return formState.keyPreview; }
    void SetKeyPreview(bool value) { formState.keyPreview = value; }

    // The component that has the keyboard focus, or nullptr.
    Component* Focused() const { return formState.focused; }
    // Gives target the focus. Nothing happens when it has the focus already or cannot take it
    // (invisible or disabled). Otherwise the focus moves at once, then the previous holder's
    // OnExit runs and then, unless a reaction moved the focus meanwhile, target's OnEnter.
    // Reactions may move the focus again from inside OnExit and OnEnter.
    void SetFocus(Component& target);
    // The user clicks into target: as SetFocus, but an edit keeps its caret instead of
    // selecting its text.
    void SetFocusByMouse(Component& target);
    // Tab (forward) and Shift+Tab: the next focusable tab stop in tab order, wrapping round.
    void SelectNext(bool forward);
    // The visible, enabled tab stops in tab order (panels' components where the panel sits).
    std::vector<Component*> TabSequence() const;

    std::function<void()> OnShow;
    std::function<void()> OnClose;
    std::function<void(std::uint16_t& key, ShiftState shift)> OnKeyDown;
    std::function<void(char32_t& key)> OnKeyPress;

    // Views of the form (the on-screen window) register here; they are not owned.
    void AddObserver(FormObserver& observer);
    void RemoveObserver(FormObserver& observer);
    // Called by components whenever their state changes.
    void NotifyComponentChanged(Component& component);
    // Runs an event of this form or its components through the application's dispatcher.
    void Raise(const std::function<void()>& event);

private:
    template <typename T> T& Adopt(std::string componentName, Component* parent);
    void AddComponent(std::unique_ptr<Component> component);
    void MoveFocus(Component& target, bool selectText);
    void NotifyFormChanged();
    void NotifyFocusChanged();
    void PlaceInScreenCentre();

    // Kept in one member so that derived forms may freely name their own members and
    // parameters (name, caption, font...) without shadowing ours.
    struct State {
        State(Application& owner, std::string formName) : application(owner), name(std::move(formName)) {}
        Application& application;
        std::string name;
        std::vector<std::unique_ptr<Component>> components;
        std::vector<FormObserver*> observers;
        std::string caption;
        int clientWidth = 400;
        int clientHeight = 300;
        int left = 0;
        int top = 0;
        bool centredOnScreen = false;
        bool resizable = false;
        Colour background = Colours::ButtonFace;
        toolkit::Font font;
        bool visible = false;
        Button* defaultButton = nullptr;
        Button* cancelButton = nullptr;
        bool keyPreview = false;
        Component* focused = nullptr;
        // The component whose OnEnter ran last and whose OnExit is still due.
        Component* entered = nullptr;
        // Counts focus moves, so that a move can tell whether a reaction moved the focus again.
        unsigned focusMoves = 0;
    };
    State formState;
};

template <typename T> T& Form::Add(std::string componentName, Panel& parent) {
    return Adopt<T>(std::move(componentName), &parent);
}

template <typename T> T& Form::Adopt(std::string componentName, Component* parent) {
    auto component = std::make_unique<T>(*this, std::move(componentName), parent);
    T& result = *component;
    AddComponent(std::move(component));
    return result;
}

template <typename T> T& Form::Get(std::string_view componentName) const {
    auto* typed = dynamic_cast<T*>(Find(componentName));
    if (typed == nullptr) {
        throw std::out_of_range("form " + formState.name + " has no component " + std::string(componentName) +
                                " of the requested kind");
    }
    return *typed;
}

} // namespace varnholt::toolkit
#pragma once

#include "toolkit/Colour.h"
#include "toolkit/Font.h"
#include "toolkit/Keys.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnholt::toolkit {

class Form;

// Everything placed on a form. A component is created and owned by its form (Form::Add) and
// lives as long as the form. Geometry is in pixels, relative to the parent's client area.
class Component {
public:
    Component(Form& form, std::string name, Component* parent);
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return componentState.name; }
    Form& OwnerForm() const { return componentState.form; }
    // The panel this component sits on, or nullptr when it sits directly on the form.
    Component* Parent() const { return componentState.parent; }
    const std::vector<Component*>& Children() const { return componentState.children; }

    int Left() const { return componentState.left; }
    int Top() const { return componentState.top; }
    int Width() const { return componentState.width; }
    int Height() const { return componentState.height; }
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    void SetBounds(int newLeft, int newTop, int newWidth, int newHeight);

    bool Visible() const { return componentState.visible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and on visible parents (the form's own visibility is not considered).
    bool Showing() const;

    bool Enabled() const { return componentState.enabled; }
    void SetEnabled(bool value);
    // Enabled itself and on enabled parents.
    bool EnabledInTree() const;

    // Background colour; components without one of their own take their parent's.
    Colour Background() const;
    void SetBackground(Colour value);
    // Font; components without one of their own take their parent's (the form's at the top).
    Font TextFont() const;
    void SetTextFont(Font value);

    int TabOrder() const { return componentState.tabOrder; }
    void SetTabOrder(int value);
    bool TabStop() const { return componentState.tabStop; }
    void SetTabStop(bool value);

    // True for the kinds of component that can hold the keyboard focus.
    virtual bool Focusable() const { return false; }
    // Focusable, showing and enabled: the focus may go here.
    bool CanFocus() const;
    bool Focused() const;
    // Form::SetFocus(*this).
    void SetFocus();

    // The component's click reaction, run through the application's event dispatcher.
    virtual void Click();

    // What the component itself does with a key nobody consumed; true when it used the key.
    // Key-down comes first (caret and list movement), key-press follows for characters.
    virtual bool KeyDownDefault(std::uint16_t key, ShiftState shift);
    virtual bool KeyPressDefault(char32_t character);

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void()> OnEnter;
    std::function<void()> OnExit;
    // Set key to 0 to consume it.
    std::function<void(std::uint16_t& key, ShiftState shift)> OnKeyDown;
    // Set key to 0 to consume it, or replace it by another character.
    std::function<void(char32_t& key)> OnKeyPress;

protected:
    // Focusable kinds are tab stops unless told otherwise.
    void StartAsTabStop() { componentState.tabStop = true; }
    // Tells the form's observers (the on-screen view) that this component's state changed.
    void Changed();
    // Runs one of the component's events through the dispatcher, if it is set.
    void Raise(const std::function<void()>& event);

private:
    // Kept in one member so that derived classes may freely name their own members and
    // parameters (name, left, font...) without shadowing ours.
    struct State {
        State(Form& owner, std::string componentName, Component* parentComponent)
            : form(owner), name(std::move(componentName)), parent(parentComponent) {}
        Form& form;
        std::string name;
        Component* parent;
        std::vector<Component*> children;
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool visible = true;
        bool enabled = true;
        std::optional<Colour> background;
        std::optional<toolkit::Font> font;
        int tabOrder = 0;
        bool tabStop = false;
    };
    State componentState;
};

} // namespace varnholt::toolkit
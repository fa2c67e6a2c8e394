#pragma once

#include "toolkit/Component.h"

namespace varnholt::toolkit {

// A check box. Changing its state, by the user or by the program, fires OnClick.
class CheckBox : public Component {
public:
    CheckBox(Form& form, std::string name, Component* parent);

    const std::string& Caption() const { return caption; }
    void SetCaption(std::string value);
    bool Checked() const { return checked; }
    // Fires OnClick when the state really changes.
    void SetChecked(bool value);
    // The user's click: toggles the state (which fires OnClick).
    void Click() override;

    bool Focusable() const override { return true; }
    bool KeyPressDefault(char32_t character) override;

private:
    std::string caption;
    bool checked = false;
};

} // namespace varnholt::toolkit
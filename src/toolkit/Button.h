#pragma once

#include "toolkit/Component.h"

namespace varnholt::toolkit {

// A push button. Enter or Space on the focused button clicks it; a form's default and cancel
// buttons are also clicked by Enter in a field and by Escape (see Form). A key-press reaction
// that clicks the button itself on Enter should consume the key, or the button is clicked twice.
class Button : public Component {
public:
    Button(Form& form, std::string name, Component* parent);

    const std::string& Caption() const { return caption; }
    void SetCaption(std::string value);

    bool Focusable() const override { return true; }
    bool KeyPressDefault(char32_t character) override;

private:
    std::string caption;
};

} // namespace varnholt::toolkit
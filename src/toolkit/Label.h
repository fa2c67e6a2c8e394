#pragma once

#include "toolkit/Component.h"

namespace varnholt::toolkit {

enum class Alignment { Left, Right, Centre };

// Static text at an explicit size (labels never size themselves to their text). Lines of a
// caption are separated by '\n'.
class Label : public Component {
public:
    Label(Form& form, std::string name, Component* parent);

    const std::string& Caption() const { return caption; }
    void SetCaption(std::string value);
    Alignment TextAlignment() const { return alignment; }
    void SetAlignment(Alignment value);
    bool WordWrap() const { return wordWrap; }
    void SetWordWrap(bool value);

private:
    std::string caption;
    Alignment alignment = Alignment::Left;
    bool wordWrap = false;
};

} // namespace varnholt::toolkit
#pragma once

#include "toolkit/Component.h"

namespace varnholt::toolkit {

enum class Bevel { None, Raised, Lowered };

// A rectangle that groups components; hiding or disabling it hides or disables them all.
class Panel : public Component {
public:
    Panel(Form& form, std::string name, Component* parent);

    const std::string& Caption() const { return caption; }
    void SetCaption(std::string value);
    Bevel Border() const { return border; }
    void SetBorder(Bevel value);

private:
    std::string caption;
    Bevel border = Bevel::Raised;
};

} // namespace varnholt::toolkit
#pragma once

#include "toolkit/Component.h"

#include <string>

namespace varnholt::toolkit {

// A picture from an image file, drawn at the component's geometry.
class Image : public Component {
public:
    Image(Form& form, std::string name, Component* parent);

    const std::string& PictureFile() const { return pictureFile; }
    void SetPictureFile(std::string value);
    bool Stretch() const { return stretch; }
    void SetStretch(bool value);

private:
    std::string pictureFile;
    bool stretch = false;
};

} // namespace varnholt::toolkit
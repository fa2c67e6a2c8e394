#include "toolkit/Image.h"

namespace varnholt::toolkit {

Image::Image(Form& form, std::string name, Component* parent) : Component(form, std::move(name), parent) {}

void Image::SetPictureFile(std::string value) {
    if (pictureFile != value) {
        pictureFile = std::move(value);
        Changed();
    }
}

void Image::SetStretch(bool value) {
    if (stretch != value) {
        stretch = value;
        Changed();
    }
}

} // namespace varnholt::toolkit
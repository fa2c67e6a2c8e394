#include "bands/Band.h"

namespace varnholt::bands {

Label& Band::AddLabel(std::string labelName) {
    labels.push_back(std::make_unique<Label>(std::move(labelName)));
    return *labels.back();
}

Label* Band::FindLabel(std::string_view labelName) const {
    for (const auto& label : labels) {
        if (label->Name() == labelName) {
            return label.get();
        }
    }
    return nullptr;
}

Band& Band::AddChild(BandKind childKind, std::string childName) {
    children.push_back(std::make_unique<Band>(childKind, std::move(childName), this));
    return *children.back();
}

} // namespace varnholt::bands
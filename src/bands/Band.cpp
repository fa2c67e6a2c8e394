#include "bands/Band.h"

namespace varnholt::bands {

Label& Band::AddLabel(std::string name) {
    labels_.push_back(std::make_unique<Label>(std::move(name)));
    return *labels_.back();
}

Label* Band::FindLabel(std::string_view name) const {
    for (const auto& label : labels_) {
        if (label->Name() == name) {
            return label.get();
        }
    }
    return nullptr;
}

Band& Band::AddChild(BandKind kind, std::string name) {
    children_.push_back(std::make_unique<Band>(kind, std::move(name), this));
    return *children_.back();
}

}  // namespace varnholt::bands
#pragma once

#include <string>

namespace varnholt::definition {

// Which answer a refusal is about, so that the dialog can send the user back to its field.
enum class RefusedAnswer {
    Manufacturer,
    Chambers,
    TopMasterKey,
    ControlKey,
    Masters,
    SubMasters,
    ChangeKeys
};

struct RequestRefusal {
    RefusedAnswer answer = RefusedAnswer::Manufacturer;
    std::string message; // the dialog's own words
};

} // namespace varnholt::definition

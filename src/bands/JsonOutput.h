#pragma once

#include "bands/Document.h"

#include <string>

namespace varnholt::bands {

// {"pages": [{"number": 1, "labels": [{"name": "...", "lines": ["..."], "continued": false}]}]}
// The lines are as the program set them; a carriage return appears as "\r".
std::string ToJson(const Document& document);

// text as a JSON string literal, quotes included.
std::string QuoteJson(const std::string& text);

} // namespace varnholt::bands
#pragma once

#include "bands/Document.h"

#include <optional>
#include <string_view>

namespace varnholt::bands {

enum class Paper { Letter, A4 };

// The paper's name as the command line and the settings write it: "letter" or "a4".
std::string_view PaperName(Paper paper);
std::optional<Paper> PaperNamed(std::string_view name);

// Moves a laid-out document onto other paper: the page size changes and everything on the page
// moves by half the difference, so that the printed area keeps its size, its line breaks and
// its page breaks and sits centred on the new sheet as it did on the old one.
void PlaceOnPaper(Document& document, Paper paper);

} // namespace varnholt::bands
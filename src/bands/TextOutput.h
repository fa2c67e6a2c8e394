#pragma once

#include "bands/Document.h"

#include <iosfwd>
#include <string>

namespace varnholt::bands {

// The document as plain text on the fixed-pitch grid of the report font: each placed text goes
// to its row and column relative to the margins, rows without text stay empty, trailing blanks
// are dropped, and pages are separated by a form feed.
std::string ToText(const Document& document);
// The same text written into out a page at a time, so that a long report's text is never held
// whole beside its document.
void WriteText(const Document& document, std::ostream& out);

} // namespace varnholt::bands
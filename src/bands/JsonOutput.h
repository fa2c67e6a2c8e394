#pragma once

#include "bands/Document.h"

#include <iosfwd>
#include <string>

namespace varnholt::bands {

// {"pages": [{"number": 1, "labels": [{"name": "...", "lines": ["..."], "continued": false}]}]}
// The lines are as the program set them; a carriage return appears as "\r".
std::string ToJson(const Document& document);

// The same JSON written page by page as a report's page sink hands the pages over, so that the
// pages need not all be kept. It goes to the stream in blocks of a few pages; what is left, and
// the closing, with Finish().
class JsonPageWriter {
public:
    explicit JsonPageWriter(std::ostream& out);
    void WritePage(const DocumentPage& page);
    void Finish();

private:
    void Send();

    std::ostream& out;
    std::string buffer; // pages not yet sent, gathered so that the stream is written in large blocks
    bool firstPage = true;
};

// text as a JSON string literal, quotes included.
std::string QuoteJson(const std::string& text);

} // namespace varnholt::bands
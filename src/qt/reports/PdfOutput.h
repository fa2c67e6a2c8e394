#pragma once

#include "bands/Document.h"

#include <filesystem>
#include <string>

namespace qtreports {

// Outcome of writing or printing a document; message tells the user what went wrong.
struct OutputResult {
    bool succeeded = false;
    std::string message;
};

// Writes the document as a PDF with searchable text and embedded fonts, at 720 dpi so that the
// report font comes out at exactly 10 pt.
OutputResult WritePdf(const bands::Document& document, const std::filesystem::path& file);

}  // namespace qtreports

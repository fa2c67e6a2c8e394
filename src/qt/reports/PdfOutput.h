#pragma once

#include "bands/Document.h"

#include <filesystem>
#include <functional>
#include <string>

namespace varnholt::qtreports {

// Outcome of writing or printing a document; message tells the user what went wrong.
struct OutputResult {
    bool succeeded = false;
    std::string message;
    bool cancelled = false; // the user stopped it; message is empty then
};

// Told after each page is drawn; returning false stops the output.
using PageProgress = std::function<bool(int pagesDone, int pageCount)>;

// Writes the document as a PDF with searchable text and embedded fonts, at 720 dpi so that the
// report font comes out at exactly 10 pt. The file is written in place; a file the user named is
// written through files::WriteFileWhole, which hands this its temporary file.
OutputResult WritePdf(const bands::Document& document, const std::filesystem::path& file,
                      const PageProgress& progress = {});

} // namespace varnholt::qtreports
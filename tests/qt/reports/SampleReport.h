#pragma once

#include "bands/Document.h"

#include <QString>

#include <filesystem>
#include <optional>

namespace varnholt::qtreports {

// A report of the given number of pages: a page header with a right-aligned page number, a
// centred title, and 60 rows per page of four right-aligned columns.
bands::Document SampleDocument(int pages);

// The text of a PDF read back with pdftotext on the report font's fixed-pitch grid, or nothing
// when pdftotext is not installed.
std::optional<QString> ReadPdfText(const std::filesystem::path& pdf, const bands::Document& document);

// Pages of a text split at form feeds, each with trailing blanks and trailing empty rows dropped.
std::vector<std::vector<QString>> NormalisedPages(const QString& text);

} // namespace varnholt::qtreports
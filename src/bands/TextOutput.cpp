#include "bands/TextOutput.h"

#include "bands/FontMetrics.h"

#include <cmath>
#include <ostream>
#include <vector>

namespace varnholt::bands {
namespace {

constexpr double PointsPerInch = 72.0;

std::size_t GridIndex(double distance, double pitch) {
    const double index = std::round(distance / pitch);
    return index > 0.0 ? static_cast<std::size_t>(index) : 0;
}

// Puts text into a row at a column counted in characters; the report's text is plain ASCII, so a
// character is a byte except in foreign names, where the row may come out shifted, never lost.
void PutAt(std::string& row, std::size_t column, const std::string& text) {
    const std::size_t length = VisibleCharacterCount(row);
    if (length < column) {
        row.append(column - length, ' ');
        row += text;
    } else if (row.size() == length) {
        row.replace(column, std::min(text.size(), row.size() - column), text);
    } else {
        row += text;
    }
}

void DropTrailingBlanks(std::string& row) {
    const std::size_t end = row.find_last_not_of(' ');
    row.erase(end == std::string::npos ? 0 : end + 1);
}

// Appends the text of one page (without the form feed that separates it from the one before).
void AppendPage(std::string& result, const Document& document, const DocumentPage& page) {
    const double top = document.setup.topMargin * PointsPerInch;
    const double left = document.setup.leftMargin * PointsPerInch;
    std::vector<std::string> rows;
    for (const PlacedText& text : page.texts) {
        const std::size_t row = GridIndex(text.top - top, document.rowHeight);
        if (rows.size() <= row) {
            rows.resize(row + 1);
        }
        PutAt(rows[row], GridIndex(text.left - left, document.columnWidth), text.text);
    }
    for (std::string& row : rows) {
        DropTrailingBlanks(row);
    }
    while (!rows.empty() && rows.back().empty()) {
        rows.pop_back();
    }
    for (const std::string& row : rows) {
        result += row;
        result += '\n';
    }
}

} // namespace

std::string ToText(const Document& document) {
    std::string result;
    for (std::size_t pageIndex = 0; pageIndex < document.pages.size(); ++pageIndex) {
        if (pageIndex > 0) {
            result += '\f';
        }
        AppendPage(result, document, document.pages[pageIndex]);
    }
    return result;
}

void WriteText(const Document& document, std::ostream& out) {
    std::string page;
    for (std::size_t pageIndex = 0; pageIndex < document.pages.size(); ++pageIndex) {
        page.clear();
        if (pageIndex > 0) {
            page += '\f';
        }
        AppendPage(page, document, document.pages[pageIndex]);
        out.write(page.data(), static_cast<std::streamsize>(page.size()));
    }
}

} // namespace varnholt::bands

#include "bands/TextOutput.h"

#include "bands/FontMetrics.h"

#include <cmath>
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

} // namespace

std::string ToText(const Document& document) {
    std::string result;
    const double top = document.setup.topMargin * PointsPerInch;
    const double left = document.setup.leftMargin * PointsPerInch;
    for (std::size_t pageIndex = 0; pageIndex < document.pages.size(); ++pageIndex) {
        if (pageIndex > 0) {
            result += '\f';
        }
        std::vector<std::string> rows;
        for (const PlacedText& text : document.pages[pageIndex].texts) {
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
    return result;
}

} // namespace varnholt::bands
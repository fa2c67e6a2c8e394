#include "exports/CsvText.h"

namespace varnholt::exports {

namespace {

// Written out rather than with find_first_of, which looks each character up in the set with a
// call of its own: the largest system's CSV has close to 1.4 million fields.
bool NeedsQuotes(std::string_view field) {
    for (const char character : field)
        if (character == ',' || character == '"' || character == '\r' || character == '\n')
            return true;
    return false;
}

} // namespace

std::string QuoteCsvField(std::string_view field) {
    if (!NeedsQuotes(field))
        return std::string(field);
    std::string quoted = "\"";
    for (const char character : field) {
        if (character == '"')
            quoted += '"';
        quoted += character;
    }
    quoted += '"';
    return quoted;
}

void AppendCsvRow(std::string& text, std::initializer_list<std::string_view> fields) {
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first)
            text += ',';
        if (!NeedsQuotes(field))
            text += field;
        else
            text += QuoteCsvField(field);
        first = false;
    }
    text += "\r\n";
}

} // namespace varnholt::exports

#include "exports/CsvText.h"

namespace varnholt::exports {

std::string QuoteCsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos)
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
        if (field.find_first_of(",\"\r\n") == std::string_view::npos)
            text += field;
        else
            text += QuoteCsvField(field);
        first = false;
    }
    text += "\r\n";
}

} // namespace varnholt::exports

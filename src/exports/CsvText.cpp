#include "exports/CsvText.h"

#include <array>
#include <cstring>

namespace varnholt::exports {

namespace {

// The characters that make a field quoted, looked up by their byte: the largest system's CSV
// has close to 1.4 million fields.
constexpr std::array<bool, 256> SpecialCharacters = [] {
    std::array<bool, 256> special{};
    for (const char character : {',', '"', '\r', '\n'})
        special[static_cast<unsigned char>(character)] = true;
    return special;
}();

bool NeedsQuotes(std::string_view field) {
    for (const char character : field)
        if (SpecialCharacters[static_cast<unsigned char>(character)])
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
    // A row of plain fields, as nearly every row is, is copied into room made for it at once.
    // The commas between the fields and the line end.
    std::size_t rowSize = (fields.size() > 0 ? fields.size() - 1 : 0) + 2;
    bool plain = true;
    for (const std::string_view field : fields) {
        plain = plain && !NeedsQuotes(field);
        rowSize += field.size();
    }
    if (plain) {
        const std::size_t start = text.size();
        text.resize(start + rowSize);
        char* out = text.data() + start;
        bool firstField = true;
        for (const std::string_view field : fields) {
            if (!firstField)
                *out++ = ',';
            firstField = false;
            if (!field.empty())
                std::memcpy(out, field.data(), field.size());
            out += field.size();
        }
        *out++ = '\r';
        *out = '\n';
        return;
    }
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

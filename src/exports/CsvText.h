#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Comma-separated values as RFC 4180 has them: CRLF line ends, a field quoted when it holds a
// comma, a quote or a line break, a quote inside doubled.
namespace varnholt::exports {

std::string QuoteCsvField(std::string_view field);

// Adds one row of fields and its line end to text.
void AppendCsvRow(std::string& text, std::initializer_list<std::string_view> fields);

} // namespace varnholt::exports

#pragma once

#include "report/ScheduledKey.h"

#include <string>
#include <string_view>

namespace varnholt::tools {

// The key schedule as comma-separated values (RFC 4180: CRLF line ends, a field quoted when it
// holds a comma, a quote or a line break): a header row, then one row per key in report order.
class KeyScheduleCsv {
public:
    KeyScheduleCsv();
    void Add(const report::ScheduledKey& key);
    const std::string& Text() const { return text; }

private:
    void AddRow(std::initializer_list<std::string_view> fields);
    std::string text;
};

std::string QuoteCsvField(std::string_view field);

} // namespace varnholt::tools

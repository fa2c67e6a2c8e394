#pragma once

#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

#include <string>
#include <string_view>

namespace varnholt::legacy {

// The key schedule's CSV as the batch command wrote it while it listened to the report, kept
// only to compare the schedule's CSV with it.
// The key schedule as comma-separated values (RFC 4180: CRLF line ends, a field quoted when it
// holds a comma, a quote or a line break): a header row, then one row per key in report order.
class KeyScheduleCsv {
public:
    KeyScheduleCsv();
    void Add(const ScheduledKey& key);
    const std::string& Text() const { return text; }

private:
    void AddRow(std::initializer_list<std::string_view> fields);
    std::string text;
};

std::string QuoteCsvField(std::string_view field);

// Runs the report for state and writes what it lists.
std::string LegacyKeyScheduleCsvOf(GenerationState& state);

} // namespace varnholt::legacy

#pragma once

#include "engine/ScheduledKey.h"

#include <ostream>
#include <string>
#include <string_view>

namespace varnholt::exports {

// The key schedule as comma-separated values: a header row, then one row per listed key in the
// order the report lists them.
std::string KeyScheduleCsvText(const KeySchedule& schedule);
// The same text written to out.
void WriteKeyScheduleCsv(const KeySchedule& schedule, std::ostream& out);

} // namespace varnholt::exports

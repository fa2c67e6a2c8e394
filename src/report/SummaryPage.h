#pragma once

#include "engine/GenerationState.h"
#include "engine/KeyCounts.h"

#include <string>
#include <vector>

// The report's last page: per level what was asked, formed and listed, what carries '*' and why,
// the marked masters and sub-masters by name, and what every sign of the report means.
namespace varnholt::report {

std::vector<std::string> SummaryPageLines(const KeySystemRequest& request, const KeyCounts& counts);

// One sentence when fewer change keys are listed than asked, with both numbers and why; empty
// when every one asked for is listed.
std::string ShortfallNote(const KeyCounts& counts);

} // namespace varnholt::report

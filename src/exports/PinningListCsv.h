#pragma once

#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"

#include <iosfwd>
#include <string>

namespace varnholt::exports {

// The pinning list as comma-separated values, one row per cylinder and chamber:
// Level,Designation,Change Key,Bitting,Chamber,Cut,Top Master Cut,Bottom Pin,Master Pin,
// Control Pin,Top Pin,Usable. Depths and pins are plain integers in depth units (a cut written
// "0" is 10 where depth 10 is written so); control and top pins are empty without a core.
// Written to out piece by piece: the largest system has about two million rows.
void WritePinningListCsv(const GenerationState& state, const KeySchedule& schedule, std::ostream& out);
// The same text whole, for the preview's export.
std::string PinningListCsvText(const GenerationState& state, const KeySchedule& schedule);

} // namespace varnholt::exports

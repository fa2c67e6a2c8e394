#pragma once

#include "bands/Document.h"
#include "bands/Report.h"
#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"
#include "report/JobDetails.h"

#include <optional>

namespace varnholt::exports {

// The two reports of a system as documents, keeping what recording asks for: the preview keeps
// everything, an output only what it is written from (placed texts for text and paper, label
// lines for JSON). With a page sink the report hands each finished page to it and keeps none.
bands::Document SystemReportDocument(const GenerationState& state, const KeySchedule& schedule,
                                     const report::JobDetails& job,
                                     bands::Recording recording = bands::Recording::Everything,
                                     bands::Report::PageSink sink = {});

// The schedule is let go once the list has taken what it needs of it, before the list is laid
// out: the largest system has close to 300,000 cylinders.
bands::Document PinningListDocument(const GenerationState& state, std::optional<KeySchedule>& schedule,
                                    const report::JobDetails& job,
                                    bands::Recording recording = bands::Recording::Everything,
                                    bands::Report::PageSink sink = {});

} // namespace varnholt::exports

#pragma once

#include "BatchOptions.h"

#include "engine/GenerationState.h"
#include "report/JobDetails.h"
#include "systems/SavedSystem.h"

#include <optional>
#include <string>

namespace varnholt::tools {

// A saved system read with --system: the file's contents and the system built again from them.
struct BatchSystem {
    systems::SavedSystem saved;
    GenerationState state;
    std::optional<std::string> note; // to be told on standard error
};

// Reads, rebuilds and checks the system file; a BatchStop where it cannot be read (status 1) or
// is refused (status 2).
BatchSystem ReadBatchSystem(const std::string& file);

// The job details given on the command line, each in place of the one in `saved`.
report::JobDetails JobDetailsFrom(const BatchOptions& options, report::JobDetails saved);

} // namespace varnholt::tools

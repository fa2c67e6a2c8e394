#pragma once

#include "BatchOptions.h"

#include "engine/GenerationState.h"
#include "manufacturers/ManufacturerRecord.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace varnholt::tools {

// The request the command line asks for on the chosen manufacturer, built by the dialog's rules;
// a BatchStop with the dialog's message where they refuse it. What the user should know besides
// (a drawn top master key, a lowered count) goes to err.
KeySystemRequest BuildBatchRequest(const BatchOptions& options,
                                   const manufacturers::ManufacturerRecord& record, std::ostream& err);

// A count or number on the command line: decimal digits only, and few enough to fit.
std::optional<long long> WholeNumber(const std::string& text);

} // namespace varnholt::tools

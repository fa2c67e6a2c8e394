#pragma once

#include "report/JobDetails.h"

#include <string>
#include <vector>

namespace varnholt::bands {
class Label;
}

namespace varnholt::report {

// The job details under the cover sheet's lines: a block of "Customer:", "Site:", "Job No.:" and
// "Notes:" (only those given), notes kept in their own lines, long texts wrapped at blanks. Adds
// nothing when there are no details, so such a report prints as it always has.
void AddJobDetailsToCoverSheet(const JobDetails& job, bands::Label& RCoverSheet);

// Puts the job number at the left of the header's "Page No." line, cut so that it never reaches
// the page number. Nothing changes without a job number.
void AddJobNumberToPageHeader(const JobDetails& job, bands::Label& RHeader);

// The lines of the block, for the cover sheet and anything else that prints the details.
std::vector<std::string> JobDetailsLines(const JobDetails& job);

} // namespace varnholt::report

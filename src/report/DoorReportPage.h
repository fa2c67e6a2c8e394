#pragma once

#include "bands/Label.h"
#include "bands/Page.h"

#include <cstddef>
#include <initializer_list>
#include <string>

namespace varnholt::report {

// The page number stands after "Page " at the right of the heading line.
inline constexpr std::size_t DoorPageNumberColumn = 83;

// The page of a door report as the pinning list has it: Letter, quarter-inch margins, every
// label in the report font at 10 points, the page number in the page header from page 2 on.
void SetUpDoorReportPage(bands::Page& page, std::string description, std::initializer_list<bands::Label*> labels,
                         bands::Label& pageNumber);

} // namespace varnholt::report

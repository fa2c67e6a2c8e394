#pragma once

#include "bands/Report.h"

#include <memory>

namespace varnholt::benchbands {

// A report shaped like the key system report: 21 nested sub-data bands, the outer one a page per
// record, the next 19 passing through, the innermost gathering 60 lines of four columns, and an
// output band below it that prints them, on a new page, whenever a page is full.
class SyntheticReport {
public:
    explicit SyntheticReport(int pages);
    bands::Document Run() { return report_.Run(); }

private:
    bands::Report report_;
    int pages_;
    int page_ = 0;
    int row_ = 0;
    std::vector<std::string> gathered_;
};

} // namespace varnholt::benchbands
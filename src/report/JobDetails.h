#pragma once

#include <string>

namespace varnholt::report {

// What the locksmith notes about the job a system was made for. All optional free text (UTF-8,
// any characters, notes may run over several lines); a system without any prints as it always has.
struct JobDetails {
    std::string customer;
    std::string site;
    std::string jobNumber;
    std::string notes;

    bool Empty() const { return customer.empty() && site.empty() && jobNumber.empty() && notes.empty(); }
    bool operator==(const JobDetails&) const = default;
};

} // namespace varnholt::report

#pragma once

#include <cstdint>
#include <vector>

namespace varnholt::app {

// The sample manufacturer database built into the program, record for record as the build wrote
// it; empty if the program was built without it.
std::vector<std::uint8_t> SampleDatabase();

} // namespace varnholt::app

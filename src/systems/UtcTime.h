#pragma once

#include <chrono>
#include <string>

namespace varnholt::systems {

// A moment as a saved system records it: UTC to the second, "YYYY-MM-DDTHH:MM:SSZ".
std::string FormatUtcTime(std::chrono::system_clock::time_point moment);

} // namespace varnholt::systems

#pragma once

#include "systems/SavedSystem.h"

#include <string>
#include <string_view>
#include <variant>

namespace varnholt::systems {

inline constexpr std::string_view SystemFormatName = "varnholt-system";
inline constexpr int SystemFormatVersion = 3;
// The largest door list in a file fits many times over; a larger file is not one of ours and is
// not read whole.
inline constexpr std::size_t LargestSystemFile = 8U << 20U;

// The system as the JSON document of a system file (see docs/system-file.md), ending in a line
// break. The same system always gives the same bytes.
std::string WriteSystemJson(const SavedSystem& system);

// What is wrong with a text that should be a system file, as a sentence to follow
// "The system file "NAME" cannot be opened: ".
struct SystemFileProblem {
    std::string reason;
};

// Reads a system file's text strictly. It checks the form of every field and that the
// manufacturer values are possible (the record checks of the manufacturer file); whether the
// answers make a system is for the request builder to say.
std::variant<SavedSystem, SystemFileProblem> ReadSystemJson(std::string_view text);

} // namespace varnholt::systems

#pragma once

#include "systems/SavedSystem.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace varnholt::systems {

// The extension of system files, which the desktop knows them by.
inline constexpr std::string_view SystemFileExtension = ".varnholt";

// Reads and checks a system file. A refusal is one message naming the file and what is wrong
// with it; anything but a regular file is refused without being opened.
std::variant<SavedSystem, std::string> ReadSystemFile(const std::filesystem::path& file);

// Writes the system safely (see WriteFileSafely), stamped as saved now and, the first time, as
// created now; a system the file would not give back as it is (text that is not UTF-8, say) is
// not written. Returns the failure's message; the system keeps its former stamps then.
std::optional<std::string> SaveSystemFile(const std::filesystem::path& file, SavedSystem& system,
                                          std::chrono::system_clock::time_point now);

// "The system file "NAME" cannot be opened: " and the reason, ending in a full stop.
std::string CannotOpenMessage(const std::filesystem::path& file, const std::string& reason);

} // namespace varnholt::systems

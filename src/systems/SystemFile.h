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

// Why a system file is not opened: one message naming the file and what is wrong with it, and
// whether it could not be read at all (missing, not permitted, a link in a circle) rather than
// read and refused.
struct SystemFileRefusal {
    std::string message;
    bool unreadable = false;
};

// Reads and checks a system file. Anything but a regular file is refused without being opened.
std::variant<SavedSystem, SystemFileRefusal> ReadSystemFile(const std::filesystem::path& file);

// Writes the system whole (see files::WriteFileWhole), stamped as saved now and, the first time, as
// created now; a system the file would not give back as it is (text that is not UTF-8, say) is
// not written; a new file is readable by its owner only. Returns the failure's message; the
// system keeps its former stamps then.
std::optional<std::string> SaveSystemFile(const std::filesystem::path& file, SavedSystem& system,
                                          std::chrono::system_clock::time_point now);

// "The system file "NAME" cannot be opened: " and the reason, ending in a full stop.
std::string CannotOpenMessage(const std::filesystem::path& file, const std::string& reason);

} // namespace varnholt::systems

#pragma once

#include "files/FileReplacement.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace varnholt::systems {

// Writes a file whole or not at all, through the manufacturer file's temporary-file-and-rename
// (links followed, the replaced file's mode kept, special files refused). Returns what went
// wrong, as a sentence naming the target, or nothing when the file is written.
std::optional<std::string> WriteFileSafely(const std::filesystem::path& target, std::string_view bytes,
                                           files::NewFileMode created = files::NewFileMode::FromUmask);

} // namespace varnholt::systems

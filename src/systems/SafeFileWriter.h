#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace varnholt::systems {

// Writes a file whole or not at all: the bytes go into a uniquely named temporary file beside
// the target (beside the file a link points to, so the link stays a link), are flushed to disk,
// and the temporary file is renamed over the target. A replaced file keeps its permissions; a
// new one gets the user's default. Anything but a regular file at the target is refused.
// Returns what went wrong, as a sentence naming the target, or nothing when the file is written.
std::optional<std::string> WriteFileSafely(const std::filesystem::path& target, std::string_view bytes);

} // namespace varnholt::systems

#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace varnholt::tools {

// Writes a file so that it is either complete or not there at all, and stays the user's file:
// the content goes into a private temporary file beside the real file (a symbolic link is
// written through), which then takes its place and mode in one rename. A folder, device or pipe
// of that name is refused, never replaced. writeContent writes into the path it is given and
// returns an error message on failure. Returns an error message, or nothing on success.
// beforeReplacing, when given, runs once the content is complete and before it takes the
// target's place: what must be written together with the file goes there, and its failure
// leaves the target as it was.
using ContentWriter = std::function<std::optional<std::string>(const std::filesystem::path& file)>;
using Companion = std::function<std::optional<std::string>()>;
std::optional<std::string> WriteFileWhole(const std::filesystem::path& target,
                                          const ContentWriter& writeContent,
                                          const Companion& beforeReplacing = {});

// Writes text as it is (no line-end translation) into file; an error message with the system's
// reason on failure.
std::optional<std::string> WriteTextFile(const std::filesystem::path& file, const std::string& text);

// The same for content that write puts into the stream piece by piece.
using StreamWriter = std::function<void(std::ostream& stream)>;
std::optional<std::string> WriteStreamFile(const std::filesystem::path& file, const StreamWriter& write);

} // namespace varnholt::tools

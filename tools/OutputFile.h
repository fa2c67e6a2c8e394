#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace varnholt::tools {

// Writes text as it is (no line-end translation) into file, such as the temporary file that
// files::WriteFileWhole hands its content writer; an error message with the system's
// reason on failure.
std::optional<std::string> WriteTextFile(const std::filesystem::path& file, const std::string& text);

// The same for content that write puts into the stream piece by piece.
using StreamWriter = std::function<void(std::ostream& stream)>;
std::optional<std::string> WriteStreamFile(const std::filesystem::path& file, const StreamWriter& write);

} // namespace varnholt::tools

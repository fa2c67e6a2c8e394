#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace varnholt::tools {

// Writes a file so that it is either complete or not there at all: the content goes into a
// temporary file beside the target, which then takes the target's place in one rename.
// writeContent writes into the path it is given and returns an error message on failure.
// Returns an error message, or nothing on success.
using ContentWriter = std::function<std::optional<std::string>(const std::filesystem::path& file)>;
std::optional<std::string> WriteFileWhole(const std::filesystem::path& target, const ContentWriter& writeContent);

// Writes text as it is (no line-end translation) into file; an error message on failure.
std::optional<std::string> WriteTextFile(const std::filesystem::path& file, const std::string& text);

// A fresh file name in the same folder as target that nothing else uses.
std::filesystem::path TemporaryFileBeside(const std::filesystem::path& target);

} // namespace varnholt::tools

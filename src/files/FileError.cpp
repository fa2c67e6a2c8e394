#include "files/FileError.h"

namespace varnholt::files {

FileError::FileError(std::string_view action, const std::filesystem::path& failedFile,
                                   std::string_view failedReason)
    : std::runtime_error("Cannot " + std::string(action) + " the file \"" + failedFile.generic_string() +
                         "\": " + std::string(failedReason) + "."),
      file(failedFile), reason(failedReason) {}

} // namespace varnholt::files
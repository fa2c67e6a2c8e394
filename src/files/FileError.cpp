#include "files/FileError.h"

#include "files/Utf8Path.h"

namespace varnholt::files {

FileError::FileError(std::string_view action, const std::filesystem::path& failedFile,
                                   std::string_view failedReason)
    : std::runtime_error("Cannot " + std::string(action) + " the file \"" + Utf8Of(failedFile) +
                         "\": " + std::string(failedReason) + "."),
      file(failedFile), reason(failedReason) {}

} // namespace varnholt::files
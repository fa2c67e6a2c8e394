#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varnholt::files {

// A file operation failed after the file was opened (a read, write, seek, rename...). Like a
// ConversionError the event dispatcher shows it in an error box and the program goes on.
// The message reads: Cannot write the file "/path/Varnholt.MFG": No space left on device.
class FileError : public std::runtime_error {
public:
    // action: the verb of what failed ("read", "write", "rename"); reason: the system's text.
    FileError(std::string_view action, const std::filesystem::path& file, std::string_view reason);

    const std::filesystem::path& File() const { return file; }
    // The system's text alone, e.g. "No space left on device".
    const std::string& Reason() const { return reason; }

private:
    std::filesystem::path file;
    std::string reason;
};

} // namespace varnholt::files
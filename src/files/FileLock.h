#pragma once

#include <chrono>
#include <filesystem>

namespace varnholt::files {

// An advisory lock on the manufacturer database for the whole of one operation, so that two
// copies of the program working in one folder take turns instead of writing over each other.
// Readers share it; a writer has it alone.
class FileLock {
public:
    enum class Kind { Shared, Exclusive };
    static constexpr std::chrono::milliseconds DefaultPatience{3000};

    // Waits up to `patience` for the lock. Throws FileError when the file cannot
    // be opened, is not a regular file, or stays locked by someone else.
    FileLock(const std::filesystem::path& file, Kind kind,
             std::chrono::milliseconds patience = DefaultPatience);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
#ifdef _WIN32
    void* handle = nullptr;
#else
    int handle = -1;
#endif
};

} // namespace varnholt::files
#pragma once

#include <cstddef>
#include <filesystem>

namespace varnholt::files {

// Files and folders that exist only while something is being written, and that must not outlive
// a run cut short by Ctrl+C, a terminal hang-up, a kill or a reader that closed the pipe.
class InterruptCleanup {
public:
    // Makes SIGINT, SIGTERM, SIGHUP and SIGPIPE remove every registered file and folder and then
    // end the process by the same signal, so that the caller sees the usual exit status. Once,
    // at the start of a command; a window program leaves the signals alone. On Windows Ctrl+C,
    // Ctrl+Break and the console window's closing do the same.
    static void Install();

    // Keeps one path registered for its lifetime. Folders are removed after the files in them.
    class Registration {
    public:
        Registration(const std::filesystem::path& path, bool isFolder);
        ~Registration();
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;

    private:
        std::size_t slot;
    };
};

} // namespace varnholt::files
#include "files/FileLock.h"

#include "files/FileError.h"

#include <cerrno>
#include <system_error>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varnholt::files {

FileLock::FileLock(const std::filesystem::path& file, Kind kind, std::chrono::milliseconds patience) {
#ifndef _WIN32
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        // Non-blocking: opening a pipe for reading would wait for a writer for ever.
        handle = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (handle < 0) {
            throw FileError("open", file, std::generic_category().message(errno));
        }
        struct stat opened {};
        if (::fstat(handle, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(handle);
            throw FileError("open", file, "it is not a regular file");
        }
        bool locked = false;
        while (!locked) {
            locked = ::flock(handle, (kind == Kind::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0;
            if (!locked && (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline)) {
                const int error = errno;
                ::close(handle);
                throw FileError(
                    "use", file,
                    error == EWOULDBLOCK ? "another copy of the program is working on it; please try again"
                                         : std::generic_category().message(error));
            }
            if (!locked) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        // A purge that finished while we waited put a new file in the old one's place; the lock
        // that counts is the one on the file that is there now.
        struct stat current {};
        if (::stat(file.c_str(), &current) == 0 && current.st_dev == opened.st_dev &&
            current.st_ino == opened.st_ino) {
            return;
        }
        ::close(handle);
        handle = -1;
    }
#else
    (void)file;
    (void)kind;
    (void)patience;
#endif
}

FileLock::~FileLock() {
#ifndef _WIN32
    if (handle >= 0) {
        ::close(handle);
    }
#endif
}

} // namespace varnholt::files
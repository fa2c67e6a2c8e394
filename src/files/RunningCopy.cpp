#include "files/RunningCopy.h"

#include <string>

#ifdef _WIN32
#include "files/WindowsCalls.h"

#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varnholt::files {

namespace {

#ifndef _WIN32
// The folder is the user's own and no one else's: another user could otherwise take the
// markers' names or leave a link among them.
bool IsPrivateFolder(const std::filesystem::path& folder) {
    ::mkdir(folder.c_str(), S_IRWXU);
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() &&
           (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}
#else
// Windows has no owner to check (see WindowsCalls.h); a link or junction in its place is refused.
bool IsPrivateFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}
#endif

std::filesystem::path MarkerIn(const std::filesystem::path& folder, int candidate) {
    return folder / ("copy-" + std::to_string(candidate));
}

} // namespace

RunningCopy::RunningCopy(const std::filesystem::path& folder) {
    if (folder.empty() || !IsPrivateFolder(folder)) {
        return;
    }
#ifndef _WIN32
    for (int candidate = 0; candidate < MostCopies; ++candidate) {
        const std::filesystem::path marker = MarkerIn(folder, candidate);
        const int opened =
            ::open(marker.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (opened < 0) {
            continue;
        }
        if (::flock(opened, LOCK_EX | LOCK_NB) == 0) {
            handle = opened;
            number = candidate;
            return;
        }
        ::close(opened);
    }
    number = MostCopies - 1;
#else
    for (int candidate = 0; candidate < MostCopies; ++candidate) {
        windows::Handle opened(CreateFileW(MarkerIn(folder, candidate).c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        OVERLAPPED at{};
        if (opened.IsOpen() && LockFileEx(opened.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
            handle = opened.Release();
            number = candidate;
            return;
        }
    }
    number = MostCopies - 1;
#endif
}

RunningCopy::~RunningCopy() {
#ifndef _WIN32
    // The marker stays: removing its name could let two later copies lock two different files
    // of one name.
    if (handle >= 0) {
        ::close(handle);
    }
#else
    const windows::Handle closed(handle);
#endif
}

} // namespace varnholt::files

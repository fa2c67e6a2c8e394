#include "files/RunningCopy.h"

#include <string>

#ifndef _WIN32
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
#endif

} // namespace

RunningCopy::RunningCopy(const std::filesystem::path& folder) {
#ifndef _WIN32
    if (folder.empty() || !IsPrivateFolder(folder)) {
        return;
    }
    for (int candidate = 0; candidate < MostCopies; ++candidate) {
        const std::filesystem::path marker = folder / ("copy-" + std::to_string(candidate));
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
    (void)folder;
#endif
}

RunningCopy::~RunningCopy() {
#ifndef _WIN32
    // The marker stays: removing its name could let two later copies lock two different files
    // of one name.
    if (handle >= 0) {
        ::close(handle);
    }
#endif
}

} // namespace varnholt::files

#include "files/FileLock.h"

#include "files/FileError.h"

#include <cerrno>
#include <system_error>
#include <thread>

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

constexpr const char* HeldElsewhere = "another copy of the program is working on it; please try again";

#ifdef _WIN32
// A Windows lock bars every other handle from reading its bytes, so it is taken on one byte that
// no database reaches (as a record is 88 bytes, some twelve million of them), not on the records.
constexpr DWORD LockedByteHigh = 0;
constexpr DWORD LockedByteLow = 0x40000000;

bool SameFile(HANDLE opened, const std::filesystem::path& file) {
    const windows::Handle current(CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION mine{};
    BY_HANDLE_FILE_INFORMATION theirs{};
    return current.IsOpen() && GetFileInformationByHandle(opened, &mine) &&
           GetFileInformationByHandle(current.Get(), &theirs) &&
           mine.dwVolumeSerialNumber == theirs.dwVolumeSerialNumber &&
           mine.nFileIndexHigh == theirs.nFileIndexHigh && mine.nFileIndexLow == theirs.nFileIndexLow;
}
#endif

} // namespace

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
                    error == EWOULDBLOCK ? HeldElsewhere : std::generic_category().message(error));
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
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const DWORD attributes = GetFileAttributesW(file.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            throw FileError("open", file, "it is not a regular file");
        }
        // Others may read, write and replace the file meanwhile: the lock is what keeps order.
        windows::Handle opened(CreateFileW(file.c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!opened.IsOpen()) {
            throw FileError("open", file, windows::LastReason());
        }
        if (GetFileType(opened.Get()) != FILE_TYPE_DISK) {
            throw FileError("open", file, "it is not a regular file");
        }
        const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (kind == Kind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
        for (;;) {
            OVERLAPPED at{};
            at.Offset = LockedByteLow;
            at.OffsetHigh = LockedByteHigh;
            if (LockFileEx(opened.Get(), flags, 0, 1, 0, &at)) {
                break;
            }
            const DWORD error = GetLastError();
            if (error != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= deadline) {
                throw FileError("use", file, error == ERROR_LOCK_VIOLATION ? HeldElsewhere : windows::Reason(error));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        // As on Linux: the lock that counts is on the file that has the name now.
        if (SameFile(opened.Get(), file)) {
            handle = opened.Release();
            return;
        }
    }
#endif
}

FileLock::~FileLock() {
#ifndef _WIN32
    if (handle >= 0) {
        ::close(handle);
    }
#else
    // Closing the handle lets go of its lock.
    const windows::Handle closed(handle);
#endif
}

} // namespace varnholt::files
#include "files/FileSystem.h"

#include "files/FileError.h"
#include "files/FileReplacement.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include "files/WindowsCalls.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varnholt::files {

namespace {

std::string LastSystemError() {
    return errno != 0 ? std::generic_category().message(errno) : std::string("the operation failed");
}

// The operating system's own flush: the standard library has none that reaches the disk.
// Nothing, or the reason it failed.
std::optional<std::string> SyncToDisk(const std::filesystem::path& path) {
#ifdef _WIN32
    return windows::FlushToDisk(path);
#else
    errno = 0;
    int handle = ::open(path.c_str(), O_RDWR);
    bool flushed = handle >= 0 && ::fsync(handle) == 0;
    flushed = handle >= 0 && (::close(handle) == 0) && flushed;
    return flushed ? std::nullopt : std::optional<std::string>(LastSystemError());
#endif
}

} // namespace

std::unique_ptr<FileLock> DiskFileSystem::Lock(const std::filesystem::path& path, FileLock::Kind kind) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return nullptr;
    }
    return std::make_unique<FileLock>(path, kind);
}

std::optional<std::vector<std::uint8_t>> DiskFileSystem::ReadFile(const std::filesystem::path& path) {
#ifndef _WIN32
    // Non-blocking, so that a pipe in the file's place cannot hold the program; the type is
    // judged on what was opened.
    const int handle = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        return std::nullopt;
    }
    struct stat opened {};
    if (::fstat(handle, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(handle);
        throw FileError("read", path, "it is not a regular file");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(opened.st_size));
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(bytes.size() + 4096); // the file grew since fstat
        }
        const ssize_t got = ::read(handle, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int reason = errno;
            ::close(handle);
            throw FileError("read", path, std::generic_category().message(reason));
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    ::close(handle);
    bytes.resize(filled);
    return bytes;
#else
    std::error_code error;
    if (std::filesystem::exists(path, error) && !std::filesystem::is_regular_file(path, error)) {
        throw FileError("read", path, "it is not a regular file");
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    char buffer[4096];
    while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
        auto* first = reinterpret_cast<const std::uint8_t*>(buffer);
        bytes.insert(bytes.end(), first, first + stream.gcount());
    }
    if (stream.bad()) {
        throw FileError("read", path, LastSystemError());
    }
    return bytes;
#endif
}

std::filesystem::path DiskFileSystem::CreateTemporaryBeside(const std::filesystem::path& target) {
    return CreatePrivateFileBeside(FollowLinks(target));
}

void DiskFileSystem::CreateIfMissing(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return;
    }
    errno = 0;
    std::ofstream stream(path, std::ios::binary | std::ios::app);
    if (!stream) {
        throw FileError("create", path, LastSystemError());
    }
}

void DiskFileSystem::WriteAt(const std::filesystem::path& path, std::uint64_t offset,
                             std::span<const std::uint8_t> bytes) {
    std::error_code error;
    auto formerSize = std::filesystem::file_size(path, error);
    if (error) {
        throw FileError("open", path, error.message());
    }
    errno = 0;
    bool written = false;
    {
        std::fstream stream(path, std::ios::binary | std::ios::in | std::ios::out);
        if (!stream) {
            throw FileError("open", path, LastSystemError());
        }
        stream.seekp(static_cast<std::streamoff>(offset));
        stream.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        stream.flush();
        written = static_cast<bool>(stream);
        stream.close();
        written = written && !stream.fail();
    }
    std::optional<std::string> failure;
    if (!written) {
        failure = LastSystemError();
    } else if (!(failure = SyncToDisk(path))) {
        return;
    }
    const std::string reason = *failure;
    // A record cut short by a full disk must not stay behind at the end of the file.
    if (offset >= formerSize) {
        std::filesystem::resize_file(path, formerSize, error);
    }
    throw FileError("write", path, reason);
}

void DiskFileSystem::WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    FillFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, path);
}

void DiskFileSystem::FlushToDisk(const std::filesystem::path& path) {
    if (auto failure = SyncToDisk(path)) {
        throw FileError("flush", path, *failure);
    }
}

void DiskFileSystem::ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    ReplaceKeepingMode(from, FollowLinks(to));
}

void DiskFileSystem::RemoveQuietly(const std::filesystem::path& path) noexcept {
    std::error_code error;
    std::filesystem::remove(path, error);
}

} // namespace varnholt::files
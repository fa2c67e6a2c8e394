#include "files/FileReplacement.h"

#include "files/FileError.h"
#include "files/Utf8Path.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#ifdef _WIN32
#include "files/WindowsCalls.h"

#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace varnholt::files {

namespace {

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// Short and of fixed length: a target name near the system's limit still leaves room for it.
std::string RandomTemporaryName() {
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uniform_int_distribution<int> letter(0, static_cast<int>(sizeof Letters) - 2);
    std::string name = ".vh-";
    for (int i = 0; i < 10; ++i) {
        name += Letters[letter(device)];
    }
    return name;
}

struct CreateFailure {
    bool nameTaken = false;
    std::string reason;
};

// Creates the file only if nothing of that name exists, for the owner only; nothing when it did.
std::optional<CreateFailure> CreateExclusive(const std::filesystem::path& file) {
#ifndef _WIN32
    const int handle = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (handle < 0) {
        return CreateFailure{errno == EEXIST, SystemReason(errno)};
    }
    ::close(handle);
    return std::nullopt;
#else
    const windows::Handle created(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!created.IsOpen()) {
        const DWORD error = GetLastError();
        return CreateFailure{error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS, windows::Reason(error)};
    }
    return std::nullopt;
#endif
}

// Tries fresh names until one is free; `beforeCreate` runs with each candidate first.
template <typename BeforeCreate>
std::filesystem::path CreateUnique(const std::filesystem::path& folder, const std::filesystem::path& named,
                                   BeforeCreate&& beforeCreate) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = folder / RandomTemporaryName();
        beforeCreate(candidate);
        const auto failure = CreateExclusive(candidate);
        if (!failure) {
            return candidate;
        }
        if (!failure->nameTaken) {
            throw FileError("create", named, failure->reason);
        }
    }
    throw FileError("create", named, "no free name for a temporary file beside it");
}

#ifndef _WIN32
bool SyncToDisk(const std::filesystem::path& path, bool directory) {
    const int handle = ::open(path.c_str(), (directory ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (handle < 0) {
        return false;
    }
    const bool flushed = ::fsync(handle) == 0;
    return (::close(handle) == 0) && flushed;
}
#endif

} // namespace

std::filesystem::path FollowLinks(const std::filesystem::path& path) {
    std::filesystem::path current = path;
    // As many hops as the system itself follows before it calls it a loop.
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error))) {
            return current;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error) {
            throw FileError("open", path, error.message());
        }
        current = target.is_absolute() ? target : FolderOf(current) / target;
    }
    throw FileError("open", path, SystemReason(ELOOP));
}

std::optional<std::string> WhyNotReplaceable(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) {
        return std::nullopt;
    }
    if (std::filesystem::is_directory(status)) {
        return "it is a folder";
    }
    return "it is a device, pipe or other special file, not a regular file";
}

std::filesystem::path CreatePrivateFileBeside(const std::filesystem::path& realTarget) {
    return CreateUnique(FolderOf(realTarget), realTarget, [](const std::filesystem::path&) {});
}

void FlushFileToDisk(const std::filesystem::path& file, const std::filesystem::path& named) {
#ifndef _WIN32
    errno = 0;
    if (!SyncToDisk(file, false)) {
        throw FileError("write", named, SystemReason(errno != 0 ? errno : EIO));
    }
#else
    if (auto failure = windows::FlushToDisk(file)) {
        throw FileError("write", named, *failure);
    }
#endif
}

namespace {

void GiveNewFileMode(const std::filesystem::path& temporary, const std::filesystem::path& realTarget,
                     NewFileMode created) {
#ifndef _WIN32
    if (created == NewFileMode::FromUmask) {
        // umask can only be read by setting it; nothing else in the process creates files now.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::chmod(temporary.c_str(), 0666 & ~mask) != 0) {
            throw FileError("write", realTarget, SystemReason(errno));
        }
    }
    // Otherwise the temporary file keeps the owner-only mode it was created with.
#else
    (void)temporary;
    (void)realTarget;
    (void)created;
#endif
}

} // namespace

void FillFile(const std::filesystem::path& file, std::string_view bytes, const std::filesystem::path& named) {
#ifndef _WIN32
    const int handle = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (handle < 0) {
        throw FileError("write", named, SystemReason(errno));
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(handle, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            ::close(handle);
            throw FileError("write", named, SystemReason(error));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::close(handle) != 0) {
        throw FileError("write", named, SystemReason(errno));
    }
#else
    // Shared for removal, so that an interrupt can take a half-written file away.
    const windows::Handle opened(CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!opened.IsOpen() || !SetEndOfFile(opened.Get())) {
        throw FileError("write", named, windows::LastReason());
    }
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
        DWORD written = 0;
        if (!WriteFile(opened.Get(), bytes.data(), chunk, &written, nullptr) || written == 0) {
            throw FileError("write", named, windows::LastReason());
        }
        bytes.remove_prefix(written);
    }
#endif
}

std::variant<std::string, std::error_code> ReadFileStart(const std::filesystem::path& file,
                                                         std::size_t limit) {
    std::string text(limit, '\0');
    std::size_t filled = 0;
#ifndef _WIN32
    const int handle = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) {
        return std::error_code(errno, std::generic_category());
    }
    while (filled < limit) {
        const ssize_t got = ::read(handle, text.data() + filled, limit - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const std::error_code error(errno, std::generic_category());
            ::close(handle);
            return error;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    ::close(handle);
#else
    std::FILE* stream = _wfopen(file.c_str(), L"rb");
    if (stream == nullptr) {
        return std::error_code(errno, std::generic_category());
    }
    filled = std::fread(text.data(), 1, limit, stream);
    const bool failed = std::ferror(stream) != 0;
    std::fclose(stream);
    if (failed) {
        return std::make_error_code(std::errc::io_error);
    }
#endif
    text.resize(filled);
    return text;
}

void ReplaceKeepingMode(const std::filesystem::path& temporary, const std::filesystem::path& realTarget,
                        [[maybe_unused]] NewFileMode created) {
#ifndef _WIN32
    struct stat existing {};
    if (::stat(realTarget.c_str(), &existing) == 0) {
        // Only the owner can hand a file to someone else; anyone else keeps it as it comes.
        if (::chown(temporary.c_str(), existing.st_uid, existing.st_gid) != 0) {
            errno = 0;
        }
        if (::chmod(temporary.c_str(), existing.st_mode & 07777) != 0) {
            throw FileError("write", realTarget, SystemReason(errno));
        }
    } else {
        GiveNewFileMode(temporary, realTarget, created);
    }
    std::error_code error;
    std::filesystem::rename(temporary, realTarget, error);
    if (error) {
        throw FileError("write", realTarget, error.message());
    }
    // The rename itself becomes durable with the folder that holds the name.
    SyncToDisk(FolderOf(realTarget), true);
#else
    // ReplaceFileW keeps the replaced file's attributes and permissions; a file open elsewhere
    // without leave to be deleted makes it fail with both files as they were.
    DWORD error = ERROR_FILE_NOT_FOUND;
    if (GetFileAttributesW(realTarget.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // Asked first: a ReplaceFileW that fails on it may leave a file of its own behind.
        if (!windows::Handle(CreateFileW(realTarget.c_str(), DELETE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
                 .IsOpen() &&
            GetLastError() == ERROR_SHARING_VIOLATION) {
            throw FileError("write", realTarget, windows::Reason(ERROR_SHARING_VIOLATION));
        }
        if (ReplaceFileW(realTarget.c_str(), temporary.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
            return;
        }
        error = GetLastError();
    }
    // A new name, or one that went away meanwhile.
    if (error == ERROR_FILE_NOT_FOUND) {
        if (MoveFileExW(temporary.c_str(), realTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return;
        }
        error = GetLastError();
    }
    throw FileError("write", realTarget, windows::Reason(error));
#endif
}

TemporaryFile::TemporaryFile(const std::filesystem::path& named, NewFileMode newFileMode)
    : target(named), created(newFileMode) {
    // As the system opens it first: /dev/stdout on a pipe leads to a link that no path follows.
    if (auto refusal = WhyNotReplaceable(named)) {
        throw FileError("write", target, *refusal);
    }
    realTarget = FollowLinks(named);
    if (auto refusal = WhyNotReplaceable(realTarget)) {
        throw FileError("write", target, *refusal);
    }
    path = CreateUnique(FolderOf(realTarget), target, [this](const std::filesystem::path& candidate) {
        fileRegistration.emplace(candidate, false);
    });
}

TemporaryFile::TemporaryFile(InPrivateFolder where) {
    std::error_code error;
    const std::filesystem::path systemFolder = std::filesystem::temp_directory_path(error);
    if (error) {
        throw FileError("create", "a temporary file", error.message());
    }
    for (int attempt = 0; attempt < 100 && folder.empty(); ++attempt) {
        const std::filesystem::path candidate = systemFolder / ("varnholt" + RandomTemporaryName());
        folderRegistration.emplace(candidate, true);
#ifndef _WIN32
        if (::mkdir(candidate.c_str(), S_IRWXU) == 0) {
            folder = candidate;
        } else if (errno != EEXIST) {
            throw FileError("create", candidate, SystemReason(errno));
        }
#else
        if (std::filesystem::create_directory(candidate, error)) {
            folder = candidate;
        } else if (error) {
            throw FileError("create", candidate, error.message());
        }
#endif
    }
    if (folder.empty()) {
        throw FileError("create", systemFolder, "no free name for a private folder");
    }
    path = folder / PathFromUtf8(where.fileName);
    fileRegistration.emplace(path, false);
    if (const auto failure = CreateExclusive(path)) {
        std::filesystem::remove(folder, error);
        throw FileError("create", path, failure->reason);
    }
    target = path;
    realTarget = path;
}

TemporaryFile::~TemporaryFile() {
    std::error_code error;
    if (!replaced) {
        std::filesystem::remove(path, error);
    }
    if (!folder.empty()) {
        std::filesystem::remove(folder, error);
    }
}

void TemporaryFile::ReplaceTarget() {
    FlushFileToDisk(path, target);
    ReplaceKeepingMode(path, realTarget, created);
    replaced = true;
}

bool TemporaryFile::PlaceAsNewTarget() {
    FlushFileToDisk(path, target);
    GiveNewFileMode(path, realTarget, created);
#ifdef _WIN32
    // A move without leave to replace fails rather than replace a file that appeared meanwhile.
    if (MoveFileExW(path.c_str(), realTarget.c_str(), MOVEFILE_WRITE_THROUGH)) {
        replaced = true;
        return true;
    }
    const DWORD failure = GetLastError();
    if (failure == ERROR_ALREADY_EXISTS || failure == ERROR_FILE_EXISTS) {
        return false;
    }
    throw FileError("create", target, windows::Reason(failure));
#else
    // A hard link fails rather than replace a file that appeared in the meantime; the temporary
    // name goes with the destructor.
    std::error_code error;
    std::filesystem::create_hard_link(path, realTarget, error);
    if (error == std::errc::file_exists) {
        return false;
    }
#ifdef __linux__
    if (error) {
        // A file system without hard links: a rename that refuses to replace.
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, realTarget.c_str(), RENAME_NOREPLACE) == 0) {
            replaced = true;
            error.clear();
        } else if (errno == EEXIST) {
            return false;
        } else {
            error = std::error_code(errno, std::generic_category());
        }
    }
#endif
    if (error) {
        throw FileError("create", target, error.message());
    }
    SyncToDisk(FolderOf(realTarget), true);
    return true;
#endif
}

namespace {

// A content writer only knows the temporary file; the user knows the file they named.
std::string NamingTarget(std::string message, const std::filesystem::path& temporary,
                         const std::filesystem::path& target) {
    const std::string written = Utf8Of(temporary);
    const std::string named = Utf8Of(target);
    for (auto at = message.find(written); at != std::string::npos;
         at = message.find(written, at + named.size())) {
        message.replace(at, written.size(), named);
    }
    return message;
}

} // namespace

std::optional<std::string> WriteFileWhole(const std::filesystem::path& target,
                                          const ContentWriter& writeContent, const Companion& beforeReplacing,
                                          NewFileMode created) {
    try {
        TemporaryFile temporary(target, created);
        if (auto failure = writeContent(temporary.Path())) {
            return NamingTarget(*failure, temporary.Path(), target);
        }
        if (beforeReplacing) {
            if (auto failure = beforeReplacing()) {
                return failure;
            }
        }
        temporary.ReplaceTarget();
    } catch (const FileError& failure) {
        return std::string(failure.what());
    }
    return std::nullopt;
}

std::optional<std::string> WriteFileWhole(const std::filesystem::path& target, std::string_view bytes,
                                          NewFileMode created) {
    return WriteFileWhole(
        target,
        [bytes, &target](const std::filesystem::path& file) -> std::optional<std::string> {
            FillFile(file, bytes, target);
            return std::nullopt;
        },
        {}, created);
}

} // namespace varnholt::files
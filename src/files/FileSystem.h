#pragma once

#include "files/FileLock.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace varnholt::files {

// The few file-system calls the manufacturer database makes. Behind an interface so that tests
// can make any step fail and prove that the database survives it whole. Failures are thrown as
// FileError, which the event dispatcher shows as the standard error box.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Holds the file for one operation's read-modify-write (see FileLock); nothing when the file
    // does not exist. Throws when it stays in use or is no regular file.
    virtual std::unique_ptr<FileLock> Lock(const std::filesystem::path& path, FileLock::Kind kind) = 0;

    // The whole file, or nothing when it cannot be opened for reading. Throws when it opens but
    // cannot be read, and when it is no regular file (a pipe would never end, a device never
    // stop).
    virtual std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& path) = 0;

    // Creates the file empty unless it exists. Throws on failure.
    virtual void CreateIfMissing(const std::filesystem::path& path) = 0;

    // Writes the bytes at the offset of an existing file and flushes them to disk. An offset at
    // the file's end appends; a write that fails leaves the file at its former size. Throws
    // on failure.
    virtual void WriteAt(const std::filesystem::path& path, std::uint64_t offset,
                         std::span<const std::uint8_t> bytes) = 0;

    // Creates a new, empty file with a unique name beside the file `target` leads to (through
    // symbolic links), readable by its owner only, and returns its path. Throws on failure.
    virtual std::filesystem::path CreateTemporaryBeside(const std::filesystem::path& target) = 0;

    // Creates or empties the file and writes the bytes into it. Throws on failure.
    virtual void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) = 0;

    // Makes the file's contents durable on disk. Throws on failure.
    virtual void FlushToDisk(const std::filesystem::path& path) = 0;

    // Puts `from` in the place of the file `to` leads to (through symbolic links) in one atomic
    // step, with that file's mode: afterwards it is either the old or the new file, whole.
    // Throws on failure.
    virtual void ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) = 0;

    // Removes the file if it exists; never throws.
    virtual void RemoveQuietly(const std::filesystem::path& path) noexcept = 0;
};

// The real disk.
class DiskFileSystem : public FileSystem {
public:
    std::unique_ptr<FileLock> Lock(const std::filesystem::path& path, FileLock::Kind kind) override;
    std::filesystem::path CreateTemporaryBeside(const std::filesystem::path& target) override;
    std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& path) override;
    void CreateIfMissing(const std::filesystem::path& path) override;
    void WriteAt(const std::filesystem::path& path, std::uint64_t offset,
                 std::span<const std::uint8_t> bytes) override;
    void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) override;
    void FlushToDisk(const std::filesystem::path& path) override;
    void ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void RemoveQuietly(const std::filesystem::path& path) noexcept override;
};

} // namespace varnholt::files
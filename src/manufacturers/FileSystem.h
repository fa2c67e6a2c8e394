#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace manufacturers {

// The few file-system calls the manufacturer database makes. Behind an interface so that tests
// can make any step fail and prove that the database survives it whole. Failures are thrown as
// toolkit::InputOutputError, which the event dispatcher shows as the standard error box.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The whole file, or nothing when it cannot be opened for reading. Throws when
    // it opens but cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& path) = 0;

    // Creates the file empty unless it exists. Throws on failure.
    virtual void CreateIfMissing(const std::filesystem::path& path) = 0;

    // Writes the bytes at the offset of an existing file and flushes them to disk. An offset at
    // the file's end appends; a write that fails leaves the file at its former size. Throws
    // on failure.
    virtual void WriteAt(const std::filesystem::path& path, std::uint64_t offset,
                         std::span<const std::uint8_t> bytes) = 0;

    // Creates or empties the file and writes the bytes into it. Throws on failure.
    virtual void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) = 0;

    // Makes the file's contents durable on disk. Throws on failure.
    virtual void FlushToDisk(const std::filesystem::path& path) = 0;

    // Puts `from` in the place of `to` in one atomic step: afterwards `to` is either the old or
    // the new file, whole. Throws on failure.
    virtual void ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) = 0;

    // Removes the file if it exists; never throws.
    virtual void RemoveQuietly(const std::filesystem::path& path) noexcept = 0;
};

// The real disk.
class DiskFileSystem : public FileSystem {
public:
    std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& path) override;
    void CreateIfMissing(const std::filesystem::path& path) override;
    void WriteAt(const std::filesystem::path& path, std::uint64_t offset,
                 std::span<const std::uint8_t> bytes) override;
    void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) override;
    void FlushToDisk(const std::filesystem::path& path) override;
    void ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void RemoveQuietly(const std::filesystem::path& path) noexcept override;
};

} // namespace manufacturers

#pragma once

#include "files/FileSystem.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

namespace varnholt::fuzz {

// Files held in memory, so that a fuzz run never touches the disk and every input starts from
// exactly the bytes it brings.
class MemoryFileSystem : public files::FileSystem {
public:
    std::map<std::filesystem::path, std::vector<std::uint8_t>> files;

    std::unique_ptr<files::FileLock> Lock(const std::filesystem::path& path,
                                                  files::FileLock::Kind kind) override;
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

} // namespace varnholt::fuzz

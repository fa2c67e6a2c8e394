#include "MemoryFileSystem.h"

#include "files/FileError.h"

#include <algorithm>

namespace varnholt::fuzz {

std::optional<std::vector<std::uint8_t>> MemoryFileSystem::ReadFile(const std::filesystem::path& path) {
    const auto found = files.find(path);
    if (found == files.end())
        return std::nullopt;
    return found->second;
}

void MemoryFileSystem::CreateIfMissing(const std::filesystem::path& path) {
    files.try_emplace(path);
}

void MemoryFileSystem::WriteAt(const std::filesystem::path& path, std::uint64_t offset,
                               std::span<const std::uint8_t> bytes) {
    const auto found = files.find(path);
    if (found == files.end())
        throw files::FileError("write", path, "the file does not exist");
    std::vector<std::uint8_t>& content = found->second;
    if (offset > content.size())
        throw files::FileError("write", path, "the offset lies beyond the end of the file");
    const auto start = static_cast<std::size_t>(offset);
    if (content.size() < start + bytes.size())
        content.resize(start + bytes.size());
    std::copy(bytes.begin(), bytes.end(), content.begin() + static_cast<std::ptrdiff_t>(start));
}

// One fuzz run is one process with nobody to share the files with.
std::unique_ptr<files::FileLock> MemoryFileSystem::Lock(const std::filesystem::path&,
                                                                files::FileLock::Kind) {
    return nullptr;
}

std::filesystem::path MemoryFileSystem::CreateTemporaryBeside(const std::filesystem::path& target) {
    std::filesystem::path temporary = target;
    temporary += ".new";
    files[temporary].clear();
    return temporary;
}

void MemoryFileSystem::WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    files[path] = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void MemoryFileSystem::FlushToDisk(const std::filesystem::path& path) {
    if (files.find(path) == files.end())
        throw files::FileError("flush", path, "the file does not exist");
}

void MemoryFileSystem::ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    const auto found = files.find(from);
    if (found == files.end())
        throw files::FileError("rename", from, "the file does not exist");
    std::vector<std::uint8_t> content = std::move(found->second);
    files.erase(found);
    files[to] = std::move(content);
}

void MemoryFileSystem::RemoveQuietly(const std::filesystem::path& path) noexcept {
    files.erase(path);
}

} // namespace varnholt::fuzz

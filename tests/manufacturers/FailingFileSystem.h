#pragma once

#include "files/FileSystem.h"
#include "files/FileError.h"

#include <string>

namespace varnholt::manufacturers::testing {

// The disk, except that the named step fails the way a full disk or a crash makes it fail.
class FailingFileSystem : public files::DiskFileSystem {
public:
    std::string failAt;

    void WriteAt(const std::filesystem::path& path, std::uint64_t offset,
                 std::span<const std::uint8_t> bytes) override {
        Fail("WriteAt", path);
        files::DiskFileSystem::WriteAt(path, offset, bytes);
    }
    void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) override {
        if (failAt == "WriteNewFile") {
            // Half the data reaches the disk before it is full.
            files::DiskFileSystem::WriteNewFile(path, bytes.first(bytes.size() / 2));
        }
        Fail("WriteNewFile", path);
        files::DiskFileSystem::WriteNewFile(path, bytes);
    }
    void FlushToDisk(const std::filesystem::path& path) override {
        Fail("FlushToDisk", path);
        files::DiskFileSystem::FlushToDisk(path);
    }
    void ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        Fail("ReplaceFile", from);
        files::DiskFileSystem::ReplaceFile(from, to);
    }

private:
    void Fail(const char* step, const std::filesystem::path& path) const {
        if (failAt == step) {
            throw files::FileError("write", path, "No space left on device");
        }
    }
};

} // namespace varnholt::manufacturers::testing
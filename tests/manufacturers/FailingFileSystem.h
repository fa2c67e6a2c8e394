#pragma once

#include "manufacturers/FileSystem.h"
#include "toolkit/InputOutputError.h"

#include <string>

namespace varnholt::manufacturers::testing {

// The disk, except that the named step fails the way a full disk or a crash makes it fail.
class FailingFileSystem : public DiskFileSystem {
public:
    std::string failAt;

    void WriteAt(const std::filesystem::path& path, std::uint64_t offset,
                 std::span<const std::uint8_t> bytes) override {
        Fail("WriteAt", path);
        DiskFileSystem::WriteAt(path, offset, bytes);
    }
    void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) override {
        if (failAt == "WriteNewFile") {
            // Half the data reaches the disk before it is full.
            DiskFileSystem::WriteNewFile(path, bytes.first(bytes.size() / 2));
        }
        Fail("WriteNewFile", path);
        DiskFileSystem::WriteNewFile(path, bytes);
    }
    void FlushToDisk(const std::filesystem::path& path) override {
        Fail("FlushToDisk", path);
        DiskFileSystem::FlushToDisk(path);
    }
    void ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        Fail("ReplaceFile", from);
        DiskFileSystem::ReplaceFile(from, to);
    }

private:
    void Fail(const char* step, const std::filesystem::path& path) const {
        if (failAt == step) {
            throw toolkit::InputOutputError("write", path, "No space left on device");
        }
    }
};

} // namespace varnholt::manufacturers::testing
#include "systems/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace varnholt::systems {
namespace {

namespace fs = std::filesystem;

class SafeFileWriterTest : public ::testing::Test {
protected:
    SafeFileWriterTest() {
        std::random_device device;
        folder = fs::temp_directory_path() / ("varnholt-safe-write-" + std::to_string(device()));
        fs::create_directories(folder);
    }
    ~SafeFileWriterTest() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    static std::string Read(const fs::path& file) {
        std::ifstream stream(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), {}};
    }
    std::size_t EntriesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }
    fs::path folder;
};

TEST_F(SafeFileWriterTest, ReplacesAFileWholeKeepingItsPermissions) {
    const fs::path file = folder / "office.varnholt";
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    EXPECT_EQ(WriteFileSafely(file, "new contents"), std::nullopt);
    EXPECT_EQ(Read(file), "new contents");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(EntriesInFolder(), 1U) << "no temporary file is left behind";
}

} // namespace
} // namespace varnholt::systems

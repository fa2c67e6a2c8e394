#include "systems/SafeFileWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include <sys/stat.h>

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

TEST_F(SafeFileWriterTest, WritesThroughALinkAndRefusesWhatIsNoRegularFile) {
    const fs::path real = folder / "real.varnholt";
    const fs::path link = folder / "link.varnholt";
    std::ofstream(real) << "old";
    fs::create_symlink(real, link);
    EXPECT_EQ(WriteFileSafely(link, "through the link"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(Read(real), "through the link");

    const fs::path pipe = folder / "pipe.varnholt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(WriteFileSafely(pipe, "x"),
              "\"" + pipe.string() + "\" is not a regular file; nothing was written.");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(WriteFileSafely(folder / "missing" / "a.varnholt", "x"),
              "The file \"" + (folder / "missing" / "a.varnholt").string() +
                  "\" cannot be written: no file can be created in its folder.");
    EXPECT_EQ(EntriesInFolder(), 3U);
}

} // namespace
} // namespace varnholt::systems

#include "systems/SafeFileWriter.h"
#include "systems/SystemFile.h"

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

TEST_F(SafeFileWriterTest, ANewSystemFileIsItsOwnersOnlyWhateverTheUmaskAndAReplacedOneKeepsItsMode) {
    const fs::path system = folder / "office.varnholt";
    const fs::path shared = folder / "shared.varnholt";
    std::ofstream(shared) << "old";
    fs::permissions(shared, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    const mode_t umask = ::umask(0);
    SavedSystem saved;
    saved.manufacturer.Name = "Acme 5-pin";
    saved.manufacturer.MinChambers = 5;
    saved.manufacturer.ChamberChoices = 1;
    saved.manufacturer.DeepestCut = 9;
    saved.manufacturer.MaxAdjacentCut = 7;
    saved.manufacturer.StepIncrement = 2;
    saved.answers = {5, "24681", "", 0, 0, 1};
    saved.fingerprint = std::string(64, 'a');
    const auto created = SaveSystemFile(system, saved, std::chrono::system_clock::now());
    const auto replaced = SaveSystemFile(shared, saved, std::chrono::system_clock::now());
    const auto list = WriteFileSafely(folder / "list.csv", "a;b\n");
    ::umask(umask);
    ASSERT_EQ(created, std::nullopt);
    ASSERT_EQ(replaced, std::nullopt);
    ASSERT_EQ(list, std::nullopt);
    EXPECT_EQ(fs::status(system).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(shared).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(fs::status(folder / "list.csv").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::group_write |
                  fs::perms::others_read | fs::perms::others_write)
        << "other new files follow the umask";
}

} // namespace
} // namespace varnholt::systems

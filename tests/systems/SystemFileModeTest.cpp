#include "FivePinSavedSystem.h"
#include "systems/SystemFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

// Windows files have no mode: a new one takes its folder's permissions (see files/WindowsCalls.h).
#ifndef _WIN32
#include <sys/stat.h>

namespace varnholt::systems {
namespace {

namespace fs = std::filesystem;

class SystemFileModeTest : public ::testing::Test {
protected:
    SystemFileModeTest() {
        std::random_device device;
        folder = fs::temp_directory_path() / ("varnholt-system-mode-" + std::to_string(device()));
        fs::create_directories(folder);
    }
    ~SystemFileModeTest() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    fs::path folder;
};

TEST_F(SystemFileModeTest, ANewSystemFileIsItsOwnersOnlyWhateverTheUmaskAndAReplacedOneKeepsItsMode) {
    const fs::path system = folder / "office.varnholt";
    const fs::path shared = folder / "shared.varnholt";
    std::ofstream(shared) << "old";
    fs::permissions(shared, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    const mode_t umask = ::umask(0);
    SavedSystem saved = FivePinSavedSystem();
    const auto created = SaveSystemFile(system, saved, std::chrono::system_clock::now());
    const auto replaced = SaveSystemFile(shared, saved, std::chrono::system_clock::now());
    ::umask(umask);
    ASSERT_EQ(created, std::nullopt);
    ASSERT_EQ(replaced, std::nullopt);
    EXPECT_EQ(fs::status(system).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(shared).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

} // namespace
} // namespace varnholt::systems

#endif

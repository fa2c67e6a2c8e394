#include "files/Utf8Path.h"
#include "FivePinSavedSystem.h"
#include "systems/SystemFile.h"

#include <gtest/gtest.h>

#include <random>

namespace varnholt::systems {
namespace {

namespace fs = std::filesystem;

// A saved system named by its customer, in a folder of the user's name, both beyond ASCII.
TEST(SystemFileName, ASystemSavedUnderAUnicodeNameIsReadBackAndNamedInUtf8) {
    std::random_device device;
    const fs::path folder = fs::temp_directory_path() / ("varnholt-system-name-" + std::to_string(device())) /
                            files::PathFromUtf8("M\xc3\xbcller");
    fs::create_directories(folder);
    SavedSystem saved = FivePinSavedSystem();
    const fs::path file = folder / files::PathFromUtf8("Stra\xc3\x9f" "e 3.varnholt");

    ASSERT_EQ(SaveSystemFile(file, saved, std::chrono::system_clock::now()), std::nullopt);
    const auto read = ReadSystemFile(file);
    ASSERT_TRUE(std::holds_alternative<SavedSystem>(read)) << std::get<SystemFileRefusal>(read).message;
    EXPECT_EQ(std::get<SavedSystem>(read), saved);

    const auto missing = ReadSystemFile(folder / "none.varnholt");
    ASSERT_TRUE(std::holds_alternative<SystemFileRefusal>(missing));
    EXPECT_EQ(std::get<SystemFileRefusal>(missing).message,
              "The system file \"" + files::Utf8Of(folder / "none.varnholt") + "\" cannot be opened: there is no such file.");
    EXPECT_NE(files::Utf8Of(folder).find("M\xc3\xbcller"), std::string::npos);
    std::error_code ignored;
    fs::remove_all(folder.parent_path(), ignored);
}

} // namespace
} // namespace varnholt::systems

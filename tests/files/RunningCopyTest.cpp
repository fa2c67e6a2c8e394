#include "files/RunningCopy.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <random>

#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace varnholt::files {
namespace {

namespace fs = std::filesystem;

class RunningCopyTest : public ::testing::Test {
protected:
    RunningCopyTest() {
        std::random_device device;
        folder = fs::temp_directory_path() / ("varnholt-copies-test-" + std::to_string(device())) / "copies";
        fs::create_directories(folder.parent_path());
    }
    ~RunningCopyTest() override {
        std::error_code ignored;
        fs::remove_all(folder.parent_path(), ignored);
    }
    fs::path folder;
};

TEST_F(RunningCopyTest, EachCopyTakesTheLowestFreeNumberAndAnEndedCopysNumberIsFreeAgain) {
    std::optional<RunningCopy> first(std::in_place, folder);
    const RunningCopy second(folder);
    EXPECT_EQ(first->Number(), 0);
    EXPECT_EQ(second.Number(), 1);
    first.reset();
    EXPECT_EQ(RunningCopy(folder).Number(), 0);
}

#ifndef _WIN32
TEST_F(RunningCopyTest, TheFolderIsTheOwnersAndAKilledCopysNumberIsTakenAgain) {
    EXPECT_EQ(RunningCopy(folder).Number(), 0);
    EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);

    // A copy killed outright leaves its marker; its number is taken again all the same.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const RunningCopy killed(folder);
        const char number = static_cast<char>('0' + killed.Number());
        if (::write(ready[1], &number, 1) != 1)
            ::_exit(1);
        ::pause();
        ::_exit(0);
    }
    char number = 0;
    ASSERT_EQ(::read(ready[0], &number, 1), 1);
    EXPECT_EQ(number, '0');
    EXPECT_EQ(RunningCopy(folder).Number(), 1) << "0 is the child's";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_TRUE(fs::exists(folder / "copy-0"));
    EXPECT_EQ(RunningCopy(folder).Number(), 0);
}

TEST_F(RunningCopyTest, AFolderOthersCanWriteIntoOrALinkInItsPlaceIsNotUsed) {
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);
    const RunningCopy open(folder);
    EXPECT_EQ(open.Number(), 0);
    EXPECT_FALSE(fs::exists(folder / "copy-0"));
    fs::remove(folder);
    fs::create_directory(folder.parent_path() / "elsewhere");
    fs::create_directory_symlink("elsewhere", folder);
    const RunningCopy linked(folder);
    EXPECT_TRUE(fs::is_empty(folder.parent_path() / "elsewhere"));
}
#endif

} // namespace
} // namespace varnholt::files

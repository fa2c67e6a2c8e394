#include "files/FileReplacement.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varnholt::files {
namespace {

namespace fs = std::filesystem;
using fs::perms;

class WholeFileTest : public ::testing::Test {
protected:
    WholeFileTest() {
        std::random_device device;
        folder = fs::temp_directory_path() / ("varnholt-whole-file-" + std::to_string(device()));
        fs::create_directories(folder);
        fs::permissions(folder, perms::owner_all | perms::group_read | perms::group_exec |
                                    perms::others_read | perms::others_exec);
    }
    ~WholeFileTest() override {
        std::error_code ignored;
        fs::permissions(folder, perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }
    static std::string Read(const fs::path& file) {
        std::ifstream stream(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), {}};
    }
    static perms Mode(const fs::path& file) { return fs::status(file).permissions() & perms::all; }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path folder;
};

TEST_F(WholeFileTest, AReplacedFileKeepsItsModeANewOneFollowsTheUmaskAndNoTemporaryStays) {
    const fs::path shared = folder / "shared.pdf";
    std::ofstream(shared) << "old";
    fs::permissions(shared, perms::owner_read | perms::owner_write | perms::group_read,
                    fs::perm_options::replace);
    const mode_t formerMask = ::umask(027);
    perms whileWritten = perms::unknown;
    const auto replaced =
        WriteFileWhole(shared, [&](const fs::path& temporary) -> std::optional<std::string> {
            whileWritten = Mode(temporary);
            FillFile(temporary, "new contents", shared);
            return std::nullopt;
        });
    const auto created = WriteFileWhole(folder / "list.csv", "a;b\n");
    const auto secret = WriteFileWhole(folder / "office.varnholt", "{}", NewFileMode::OwnerOnly);
    ::umask(formerMask);
    ASSERT_EQ(replaced, std::nullopt);
    ASSERT_EQ(created, std::nullopt);
    ASSERT_EQ(secret, std::nullopt);
    EXPECT_EQ(whileWritten, perms::owner_read | perms::owner_write) << "nobody else reads it half-written";
    EXPECT_EQ(Read(shared), "new contents");
    EXPECT_EQ(Mode(shared), perms::owner_read | perms::owner_write | perms::group_read);
    EXPECT_EQ(Read(folder / "list.csv"), "a;b\n");
    EXPECT_EQ(Mode(folder / "list.csv"), perms::owner_read | perms::owner_write | perms::group_read);
    EXPECT_EQ(Mode(folder / "office.varnholt"), perms::owner_read | perms::owner_write);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"list.csv", "office.varnholt", "shared.pdf"}));
}

TEST_F(WholeFileTest, ANameAsLongAsTheSystemAllowsIsWrittenAndReplaced) {
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    ASSERT_GT(limit, 16);
    const fs::path target = folder / (std::string(static_cast<std::size_t>(limit) - 4, 'r') + ".pdf");
    EXPECT_EQ(WriteFileWhole(target, "first"), std::nullopt);
    EXPECT_EQ(WriteFileWhole(target, "second"), std::nullopt);
    EXPECT_EQ(Read(target), "second");
    EXPECT_EQ(Entries().size(), 1U);
}

TEST_F(WholeFileTest, AFailureNamesTheTargetWithTheSystemsReasonAndLeavesTheOldFile) {
    const fs::path target = folder / "report.pdf";
    std::ofstream(target) << "old";

    // The content writer only knows its temporary file; the user hears of the file they named.
    fs::path temporaryName;
    const auto drawn = WriteFileWhole(target, [&](const fs::path& temporary) -> std::optional<std::string> {
        temporaryName = temporary;
        FillFile(temporary, "half", target);
        return "The PDF file \"" + temporary.string() + "\" could not be completed: No space left on device.";
    });
    EXPECT_EQ(drawn,
              "The PDF file \"" + target.string() + "\" could not be completed: No space left on device.");
    const auto companion = WriteFileWhole(
        target,
        [&](const fs::path& temporary) -> std::optional<std::string> {
            FillFile(temporary, "new", target);
            return std::nullopt;
        },
        [] { return std::optional<std::string>("the saved system could not be written"); });
    EXPECT_EQ(companion, "the saved system could not be written");
    EXPECT_EQ(Read(target), "old");
    EXPECT_EQ(Entries(), std::vector<std::string>{"report.pdf"});

    // A folder that takes no new file. Root may write anywhere, so the write runs as nobody there.
    fs::permissions(folder, perms::owner_write | perms::group_write | perms::others_write,
                    fs::perm_options::remove);
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(channel[0]);
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        const std::string said = WriteFileWhole(target, "new").value_or("written");
        const bool told = ::write(channel[1], said.data(), said.size()) == static_cast<ssize_t>(said.size());
        ::_exit(told ? 0 : 4);
    }
    ::close(channel[1]);
    std::string said;
    char buffer[512];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(said, "Cannot create the file \"" + target.string() + "\": Permission denied.");
    EXPECT_EQ(Read(target), "old");
    EXPECT_EQ(Entries(), std::vector<std::string>{"report.pdf"});
}

} // namespace
} // namespace varnholt::files

#endif

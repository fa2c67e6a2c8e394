#include "OutputFile.h"
#include "BatchTestSupport.h"

#include "files/FileReplacement.h"

#include <gtest/gtest.h>

#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace varnholt::tools::testing {
namespace {

using std::filesystem::perms;

class OutputFile : public ::testing::Test {
protected:
    OutputFile() {
        database = (folder.Path() / "Varnholt.MFG").string();
        WriteDatabase(database, SampleManufacturers());
    }

    CommandResult Report(const std::string& output) {
        return RunCommand({"--database", database, "--manufacturer", "BRANDT", "--chambers", "6",
                           "--master-key", "246135", "--format", "json", "--output", output});
    }

    static perms Mode(const std::filesystem::path& file) {
        return std::filesystem::status(file).permissions();
    }

    ScratchFolder folder;
    std::string database;
};

// Modes and the umask, symbolic links, pipes and devices: Windows has none of them as POSIX does.
#ifndef _WIN32
TEST_F(OutputFile, AReplacedFileKeepsItsModeANewOneFollowsTheUmaskAndTheTemporaryIsPrivate) {
    const auto secret = folder.Path() / "secret.json";
    { std::ofstream(secret) << "old"; }
    std::filesystem::permissions(secret, perms::owner_read | perms::owner_write);
    ASSERT_EQ(Report(secret.string()).status, ExitDone);
    EXPECT_EQ(Mode(secret), perms::owner_read | perms::owner_write);
    EXPECT_NE(ReadWholeFile(secret), "old");

    const mode_t formerMask = ::umask(027);
    const CommandResult fresh = Report((folder.Path() / "fresh.json").string());
    ::umask(formerMask);
    ASSERT_EQ(fresh.status, ExitDone) << fresh.err;
    EXPECT_EQ(Mode(folder.Path() / "fresh.json"), perms::owner_read | perms::owner_write | perms::group_read);

    perms whileWritten = perms::unknown;
    const auto written =
        files::WriteFileWhole(folder.Path() / "third.txt", [&](const std::filesystem::path& temporary) {
            whileWritten = Mode(temporary);
            return WriteTextFile(temporary, "x");
        });
    EXPECT_FALSE(written);
    EXPECT_EQ(whileWritten, perms::owner_read | perms::owner_write);
}

TEST_F(OutputFile, ALinkIsWrittenThroughEvenWhenItDangles) {
    std::filesystem::create_directory(folder.Path() / "reports");
    { std::ofstream(folder.Path() / "reports" / "current.json") << "old"; }
    std::filesystem::create_symlink("reports/current.json", folder.Path() / "link.json");
    std::filesystem::create_symlink("reports/next.json", folder.Path() / "dangling.json");

    for (const char* link : {"link.json", "dangling.json"}) {
        const CommandResult result = Report((folder.Path() / link).string());
        ASSERT_EQ(result.status, ExitDone) << result.err;
        EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / link)) << link;
    }
    EXPECT_EQ(ReadWholeFile(folder.Path() / "reports" / "current.json").substr(0, 9), "{\"pages\":");
    EXPECT_EQ(ReadWholeFile(folder.Path() / "reports" / "next.json").substr(0, 9), "{\"pages\":");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path() / "reports"), {}), 2);
}

TEST_F(OutputFile, DevicesPipesAndFoldersAreRefusedNeverReplaced) {
    const auto device = folder.Path() / "null";
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << "a device node needs root";
    const auto pipe = folder.Path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_symlink("null", folder.Path() / "to-device");
    std::filesystem::create_directory(folder.Path() / "folder");

    for (const char* name : {"null", "pipe", "to-device", "folder"}) {
        const CommandResult result = Report((folder.Path() / name).string());
        EXPECT_EQ(result.status, ExitFileFailure) << name;
        EXPECT_NE(result.err.find("\"" + (folder.Path() / name).string() + "\""), std::string::npos)
            << result.err;
    }
    EXPECT_TRUE(std::filesystem::is_character_file(device));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(folder.Files().size(), 5U) << "nothing left beside them";
}

#endif

TEST_F(OutputFile, DashIsStandardOutputAndALongNameLeavesRoomForTheTemporary) {
    const CommandResult dash = Report("-");
    ASSERT_EQ(dash.status, ExitDone) << dash.err;
    EXPECT_EQ(dash.out.substr(0, 9), "{\"pages\":");
    EXPECT_FALSE(std::filesystem::exists("-"));

    // 250 characters are a legal name; the temporary name must not grow with it.
    const auto longName = folder.Path() / (std::string(245, 'r') + ".json");
    const CommandResult result = Report(longName.string());
    EXPECT_EQ(result.status, ExitDone) << result.err;
    EXPECT_TRUE(std::filesystem::exists(longName));
}

} // namespace
} // namespace varnholt::tools::testing

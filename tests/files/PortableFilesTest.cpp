// The file-safety rules that hold on every system, run in a folder named "Müller" so that every
// path crosses between UTF-8 text and the system's own names.
#include "files/FileError.h"
#include "files/FileReplacement.h"
#include "files/FileSystem.h"
#include "files/Utf8Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#ifdef _WIN32
#include <windows.h>
// windows.h makes the name a macro for its own ReplaceFileA or ReplaceFileW.
#undef ReplaceFile
#endif

namespace varnholt::files {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class PortableFilesTest : public ::testing::Test {
protected:
    PortableFilesTest() {
        std::random_device device;
        folder = fs::temp_directory_path() / ("varnholt-files-" + std::to_string(device())) /
                 PathFromUtf8("M\xc3\xbcller");
        fs::create_directories(folder);
    }
    ~PortableFilesTest() override {
        std::error_code ignored;
        fs::remove_all(folder.parent_path(), ignored);
    }
    static std::string Read(const fs::path& file) {
        std::ifstream stream(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), {}};
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(Utf8Of(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path folder;
};

TEST_F(PortableFilesTest, TextAndNamesCrossAsUtf8) {
#ifdef _WIN32
    EXPECT_EQ(folder.filename().native(), L"M\u00fcller");
#else
    EXPECT_EQ(folder.filename().native(), "M\xc3\xbcller");
#endif
    EXPECT_EQ(Utf8Of(folder.filename()), "M\xc3\xbcller");
    EXPECT_EQ(Utf8Of(PathFromUtf8("\xce\x91\xce\xb8\xce\xae\xce\xbd\xce\xb1.pdf")), "\xce\x91\xce\xb8\xce\xae\xce\xbd\xce\xb1.pdf");
    const std::string broken = "bad\xff\xfe.pdf";
    EXPECT_NO_THROW(PathFromUtf8(broken)) << "text that is no UTF-8 still names some file";

    // A message names the file as the user would type it.
    const fs::path missing = folder / "missing" / "report.pdf";
    EXPECT_EQ(WriteFileWhole(missing, "x"),
              "Cannot create the file \"" + Utf8Of(missing) + "\": No such file or directory.");
}

TEST_F(PortableFilesTest, TheDatabaseIsCreatedWrittenReadAndReplacedWholeInAUnicodeFolder) {
    DiskFileSystem disk;
    const fs::path database = folder / "Varnholt.MFG";
    disk.CreateIfMissing(database);
    const std::vector<std::uint8_t> record(88, 7);
    {
        // The database's own reads and writes pass the lock it holds.
        const auto lock = disk.Lock(database, FileLock::Kind::Exclusive);
        ASSERT_NE(lock, nullptr);
        disk.WriteAt(database, 0, record);
        disk.WriteAt(database, 88, record);
        ASSERT_EQ(disk.ReadFile(database).value_or(std::vector<std::uint8_t>{}).size(), 176U);
        const fs::path temporary = disk.CreateTemporaryBeside(database);
        disk.WriteNewFile(temporary, record);
        disk.FlushToDisk(temporary);
        disk.ReplaceFile(temporary, database);
    }
    EXPECT_EQ(disk.ReadFile(database), record);
    EXPECT_EQ(disk.ReadFile(folder / "none"), std::nullopt);
    EXPECT_THROW(disk.ReadFile(folder.parent_path()), FileError) << "a folder is no database";

    EXPECT_EQ(WriteFileWhole(folder / "system.varnholt", "first"), std::nullopt);
    EXPECT_EQ(WriteFileWhole(folder / "system.varnholt", "second"), std::nullopt);
    EXPECT_EQ(Read(folder / "system.varnholt"), "second");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Varnholt.MFG", "system.varnholt"})) << "no temporary stays";
}

TEST_F(PortableFilesTest, TheLockWaitsItsPatienceThenSaysTheDatabaseIsInUse) {
    const fs::path database = folder / "Varnholt.MFG";
    std::ofstream(database) << "records";
    const std::string inUse =
        "Cannot use the file \"" + Utf8Of(database) + "\": another copy of the program is working on it; please try again.";
    std::optional<FileLock> writer(std::in_place, database, FileLock::Kind::Exclusive);
    const auto start = std::chrono::steady_clock::now();
    try {
        FileLock second(database, FileLock::Kind::Shared, 60ms);
        ADD_FAILURE() << "a reader got in beside a writer";
    } catch (const FileError& refused) {
        EXPECT_EQ(refused.what(), inUse);
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, 60ms);

    // A lock let go within the patience is taken.
    std::thread release([&writer] {
        std::this_thread::sleep_for(100ms);
        writer.reset();
    });
    EXPECT_NO_THROW(FileLock(database, FileLock::Kind::Exclusive, 5s));
    release.join();
    const FileLock reader(database, FileLock::Kind::Shared);
    EXPECT_NO_THROW(FileLock(database, FileLock::Kind::Shared, 0ms)) << "readers share it";
    EXPECT_THROW(FileLock(database, FileLock::Kind::Exclusive, 0ms), FileError);
}

TEST_F(PortableFilesTest, ANewFileNeverTakesTheNameOfOneThatAppearedMeanwhile) {
    const fs::path target = folder / "Varnholt.MFG";
    {
        TemporaryFile sample(target);
        FillFile(sample.Path(), "sample", target);
        std::ofstream(target) << "the user's own";
        EXPECT_FALSE(sample.PlaceAsNewTarget());
    }
    EXPECT_EQ(Read(target), "the user's own");
    fs::remove(target);
    {
        TemporaryFile sample(target);
        FillFile(sample.Path(), "sample", target);
        EXPECT_TRUE(sample.PlaceAsNewTarget());
    }
    EXPECT_EQ(Read(target), "sample");
    EXPECT_EQ(Entries(), std::vector<std::string>{"Varnholt.MFG"});
}

#ifdef _WIN32
// Linux replaces a name whoever has the file open; Windows refuses while a program holds it
// without leave to delete it, as a PDF viewer does.
TEST_F(PortableFilesTest, AFileHeldOpenElsewhereIsReportedAndKeptWhole) {
    const fs::path report = folder / "report.pdf";
    std::ofstream(report) << "old";
    {
        HANDLE viewer = CreateFileW(report.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(viewer, INVALID_HANDLE_VALUE);
        EXPECT_EQ(WriteFileWhole(report, "new"),
                  "Cannot write the file \"" + Utf8Of(report) +
                      "\": another program has it open; close it there and try again.");
        CloseHandle(viewer);
    }
    EXPECT_EQ(Read(report), "old");
    EXPECT_EQ(Entries(), std::vector<std::string>{"report.pdf"});
    EXPECT_EQ(WriteFileWhole(report, "new"), std::nullopt);
    EXPECT_EQ(Read(report), "new");
}
#endif

} // namespace
} // namespace varnholt::files

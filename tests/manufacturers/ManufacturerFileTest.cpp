#include "FailingFileSystem.h"
#include "TemporaryDirectory.h"

#include "manufacturers/ManufacturerFile.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/HeadlessMessageService.h"
#include "files/FileError.h"
#include "toolkit/ListBox.h"
#include "files/Utf8Path.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace varnholt::manufacturers {
namespace {

using testing::Concatenate;
using testing::FailingFileSystem;
using testing::NamesInFile;
using testing::PlainRecord;
using testing::ReadBytes;
using testing::TemporaryDirectory;
using testing::WriteBytes;

class ManufacturerFileTest : public ::testing::Test {
protected:
    TemporaryDirectory directory;
    toolkit::HeadlessMessageService messages;
    FailingFileSystem disk;
    ManufacturerFile file{directory.path, messages, disk};
    toolkit::Application application{messages};
    toolkit::Form form{application, "Form2"};
    toolkit::ListBox& LB1 = form.Add<toolkit::ListBox>("LB1");

    void PutInFile(const std::vector<ManufacturerRecord>& records) {
        WriteBytes(file.MfgFile(), Concatenate(records));
    }
};

TEST_F(ManufacturerFileTest, TheFileLiesInTheStartDirectory) {
    EXPECT_EQ(file.MfgFile(), directory.path / "Varnholt.MFG");
}

TEST_F(ManufacturerFileTest, LookupCreatesAMissingFileAndFindsNamesWithoutRegardToAsciiCase) {
    file.MfgName = "ACME";
    file.FindManufacturerName();
    EXPECT_TRUE(std::filesystem::exists(file.MfgFile()));
    EXPECT_EQ(std::filesystem::file_size(file.MfgFile()), 0u);
    EXPECT_FALSE(file.NameInDatabase);

    PutInFile({PlainRecord("Corbel"), PlainRecord("Acme"), PlainRecord("Zenith")});
    messages.QueueAnswer(toolkit::Answer::Yes);
    file.FindManufacturerName();
    EXPECT_TRUE(file.NameInDatabase);
    EXPECT_TRUE(file.OverwriteRecord);
    EXPECT_EQ(file.SelectedRecord, 1u);
    EXPECT_EQ(file.CurrentManufacturer.Name, "Acme");
    EXPECT_EQ(
        messages.Transcript(),
        (std::vector<std::string>{"beep", "warning: This Manufacturer's name is already in the Database.\n"
                                          "Do you want to overwrite it?"}));

    file.MfgName = "Nobody";
    file.FindManufacturerName();
    EXPECT_FALSE(file.NameInDatabase);
    EXPECT_FALSE(file.OverwriteRecord);
    EXPECT_EQ(file.CurrentManufacturer.Name, "Zenith") << "a scan without a match ends at the last record";
}

TEST_F(ManufacturerFileTest, LookupNeverEmptiesAFileThatExistsButCannotBeRead) {
    std::filesystem::create_directory(file.MfgFile());
    file.MfgName = "Acme";
    EXPECT_THROW(file.FindManufacturerName(), files::FileError);
    EXPECT_TRUE(std::filesystem::is_directory(file.MfgFile()));
}

TEST_F(ManufacturerFileTest, SaveAppendsOrOverwritesTheSelectedRecord) {
    PutInFile({PlainRecord("Corbel"), PlainRecord("Acme")});
    file.CurrentManufacturer = PlainRecord("Zenith");
    EXPECT_TRUE(file.SaveManufacturer());
    file.CurrentManufacturer = PlainRecord("Acme & Sons");
    file.OverwriteRecord = true;
    file.SelectedRecord = 1;
    EXPECT_TRUE(file.SaveManufacturer());
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Corbel", "Acme & Sons", "Zenith"}));
}

TEST_F(ManufacturerFileTest, SaveRefusesARecordTheGenerationCannotUseAndWritesNothing) {
    PutInFile({PlainRecord("Corbel")});
    auto before = ReadBytes(file.MfgFile());
    file.CurrentManufacturer = PlainRecord("Broken");
    file.CurrentManufacturer.DeepestCut = 12;
    EXPECT_FALSE(file.SaveManufacturer());
    EXPECT_EQ(ReadBytes(file.MfgFile()), before);
    EXPECT_EQ(messages.Transcript(),
              (std::vector<std::string>{"beep", "warning: The Deepest cut must be between 5 and 10."}));
}

TEST_F(ManufacturerFileTest, ADamagedRecordMayBeMarkedForDeletionInItsOwnPlaceOnly) {
    auto damaged = PlainRecord("Broken");
    damaged.StepIncrement = 9;
    PutInFile({PlainRecord("Corbel"), damaged});
    damaged.Name = "Broken DELETE";
    file.CurrentManufacturer = damaged;
    EXPECT_FALSE(file.SaveManufacturer()) << "appending an unusable copy is refused";
    file.OverwriteRecord = true;
    file.SelectedRecord = 1;
    EXPECT_TRUE(file.SaveManufacturer());
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Corbel", "Broken DELETE"}));
}

TEST_F(ManufacturerFileTest, SaveOnAFullDiskReportsAndLeavesTheFileAsItWas) {
    PutInFile({PlainRecord("Corbel")});
    auto before = ReadBytes(file.MfgFile());
    disk.failAt = "WriteAt";
    file.CurrentManufacturer = PlainRecord("Acme");
    EXPECT_THROW(file.SaveManufacturer(), files::FileError);
    EXPECT_EQ(ReadBytes(file.MfgFile()), before);
}

TEST_F(ManufacturerFileTest, SaveWithoutAFileIsAFileError) {
    file.CurrentManufacturer = PlainRecord("Acme");
    EXPECT_THROW(file.SaveManufacturer(), files::FileError);
    EXPECT_FALSE(std::filesystem::exists(file.MfgFile()));
}

TEST_F(ManufacturerFileTest, AppendAfterATornTailLandsOnARecordBoundary) {
    auto bytes = Concatenate({PlainRecord("Corbel")});
    bytes.resize(bytes.size() + 30, 0x55);
    WriteBytes(file.MfgFile(), bytes);
    file.CurrentManufacturer = PlainRecord("Acme");
    EXPECT_TRUE(file.SaveManufacturer());
    EXPECT_EQ(std::filesystem::file_size(file.MfgFile()), 2 * RecordSize);
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Corbel", "Acme"}));
}

TEST_F(ManufacturerFileTest, ListingShowsEveryNameInFileOrder) {
    PutInFile({PlainRecord("Corbel"), PlainRecord("M\xC3\xBCller"), PlainRecord("Zenith DELETE")});
    EXPECT_TRUE(file.ListManufacturers(LB1));
    EXPECT_TRUE(file.ListHasRecords);
    EXPECT_EQ(LB1.Items(), (std::vector<std::string>{"Corbel", "M\xC3\xBCller", "Zenith DELETE"}));
    EXPECT_TRUE(messages.Transcript().empty());
}

TEST_F(ManufacturerFileTest, ListingWithoutAFileSaysSoInAnErrorBox) {
    EXPECT_FALSE(file.ListManufacturers(LB1));
    EXPECT_FALSE(file.ListHasRecords);
    ASSERT_EQ(messages.Boxes().size(), 1u);
    EXPECT_EQ(messages.Boxes()[0].kind, toolkit::BoxKind::Error);
    EXPECT_EQ(messages.Boxes()[0].text, "The Manufacturer's file can not be located.\n"
                                        "Please correct the problem or click on\n"
                                        "'Create New Manufacturer' to create it.");
}

TEST_F(ManufacturerFileTest, ListingOfADamagedFileShowsWhatCanBeReadAndSaysWhatCannot) {
    auto bytes = Concatenate({PlainRecord("Corbel"), PlainRecord("Acme")});
    bytes[RecordSize] = 250; // Acme's name length
    bytes.resize(bytes.size() + 17, 0xFF);
    WriteBytes(file.MfgFile(), bytes);
    EXPECT_TRUE(file.ListManufacturers(LB1));
    ASSERT_EQ(LB1.Count(), 2);
    EXPECT_EQ(LB1.Items()[0], "Corbel");
    EXPECT_EQ(LB1.Items()[1].substr(0, 4), "Acme");
    ASSERT_EQ(messages.Boxes().size(), 1u);
    EXPECT_EQ(messages.Boxes()[0].text,
              "The Manufacturer's file ends in 17 bytes that are not a whole record.\n"
              "They are left out of the list.");
}

TEST_F(ManufacturerFileTest, LoadReadsTheSelectedRecordAndTheGenerationSettings) {
    auto core = PlainRecord("Corbel");
    core.ShallowestCut = 1;
    core.DeepestCut = 10;
    core.IsICore = true;
    core.ControlFactor = 6;
    core.StackTotal = 23;
    core.ControlChambers = "NYNNNNN";
    PutInFile({PlainRecord("Acme"), core});
    file.SelectedRecord = 1;
    EXPECT_TRUE(file.LoadManufacturer());
    EXPECT_EQ(file.CurrentManufacturer, core);
    EXPECT_TRUE(file.ZeroIsTen);
    EXPECT_TRUE(file.IsICore);
    file.SelectedRecord = 0;
    EXPECT_TRUE(file.LoadManufacturer());
    EXPECT_FALSE(file.ZeroIsTen);
    EXPECT_FALSE(file.IsICore);
}

TEST_F(ManufacturerFileTest, LoadWithoutAFileTellsAndKeepsWhatWasThere) {
    file.CurrentManufacturer = PlainRecord("Kept");
    file.IsICore = true;
    EXPECT_FALSE(file.LoadManufacturer());
    EXPECT_EQ(file.CurrentManufacturer.Name, "Kept");
    EXPECT_TRUE(file.IsICore);
    ASSERT_EQ(messages.Boxes().size(), 1u);
    EXPECT_EQ(messages.Boxes()[0].kind, toolkit::BoxKind::Information);
}

TEST_F(ManufacturerFileTest, LoadOfAnImpossibleRecordNamesTheManufacturerAndTheValue) {
    auto broken = PlainRecord("Corbel");
    broken.MaxAdjacentCut = 12;
    PutInFile({PlainRecord("Acme"), broken});
    file.SelectedRecord = 1;
    EXPECT_FALSE(file.LoadManufacturer());
    EXPECT_EQ(file.CurrentManufacturer.Name, "Corbel") << "read all the same, so that it can be corrected";
    ASSERT_EQ(messages.Boxes().size(), 1u);
    EXPECT_EQ(messages.Boxes()[0].kind, toolkit::BoxKind::Error);
    EXPECT_EQ(messages.Boxes()[0].text, "The Manufacturer \"Corbel\" (record 2 of the file) is damaged:\n"
                                        "Maximum Adjacent Cut: 12\n"
                                        "The M.A.C.S must be between 3 and 9.");
}

TEST_F(ManufacturerFileTest, LoadOfARecordWithAnOverlongNameSaysSo) {
    auto bytes = Concatenate({PlainRecord("Acme")});
    bytes[0] = 41;
    WriteBytes(file.MfgFile(), bytes);
    EXPECT_FALSE(file.LoadManufacturer());
    ASSERT_EQ(messages.Boxes().size(), 1u);
    EXPECT_NE(messages.Boxes()[0].text.find("The name is 41 characters long, more than 40."),
              std::string::npos);
}

TEST_F(ManufacturerFileTest, LoadOfARecordNoLongerInTheFileIsAFileError) {
    PutInFile({PlainRecord("Acme")});
    file.SelectedRecord = 3;
    EXPECT_THROW(file.LoadManufacturer(), files::FileError);
}

TEST_F(ManufacturerFileTest, PurgeRemovesEveryMarkedRecordAndKeepsTheOrderAndBytesOfTheRest) {
    PutInFile({PlainRecord("Alpha"), PlainRecord("Beta delete"), PlainRecord("Gamma"),
               PlainRecord("UNDELETED"), PlainRecord("Delta")});
    auto before = ReadBytes(file.MfgFile());
    file.PurgeDeletedManufacturers();
    auto after = ReadBytes(file.MfgFile());
    ASSERT_EQ(after.size(), 3 * RecordSize);
    auto recordOf = [](const std::vector<std::uint8_t>& bytes, std::size_t number) {
        auto first = bytes.begin() + static_cast<std::ptrdiff_t>(number * RecordSize);
        return std::vector<std::uint8_t>(first, first + RecordSize);
    };
    EXPECT_EQ(recordOf(after, 0), recordOf(before, 0));
    EXPECT_EQ(recordOf(after, 1), recordOf(before, 2));
    EXPECT_EQ(recordOf(after, 2), recordOf(before, 4));
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Alpha", "Gamma", "Delta"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path), {}), 1)
        << "no file beside it";
}

#ifndef _WIN32
TEST_F(ManufacturerFileTest, APurgeWritesThroughALinkKeepsTheModeAndLeavesTheUsersFilesAlone) {
    const auto real = directory.path / "shared" / "company.MFG";
    std::filesystem::create_directories(real.parent_path());
    WriteBytes(real, Concatenate({PlainRecord("Alpha"), PlainRecord("Beta DELETE")}));
    std::filesystem::permissions(real,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink(std::filesystem::path("shared") / "company.MFG", file.MfgFile());
    { std::ofstream(directory.path / "MFG.TMP") << "the user's own notes"; }

    file.PurgeDeletedManufacturers();

    EXPECT_TRUE(std::filesystem::is_symlink(file.MfgFile())) << "the link stays a link";
    EXPECT_EQ(NamesInFile(real), (std::vector<std::string>{"Alpha"}));
    EXPECT_EQ(std::filesystem::status(real).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::ifstream notes(directory.path / "MFG.TMP");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(notes), {}), "the user's own notes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(real.parent_path()), {}), 1);
}

TEST_F(ManufacturerFileTest, APipeOrDeviceInTheDatabasesPlaceIsRefusedAtOnce) {
    const auto database = file.MfgFile();
    const auto makePipe = [&] { ASSERT_EQ(::mkfifo(database.c_str(), 0600), 0); };
    // The same device as /dev/zero, which never ends.
    const auto makeDevice = [&] { ASSERT_EQ(::mknod(database.c_str(), S_IFCHR | 0600, makedev(1, 5)), 0); };
    const auto linkToDevice = [&] { std::filesystem::create_symlink("/dev/zero", database); };
    for (const auto& make : {std::function<void()>(makePipe), std::function<void()>(makeDevice),
                             std::function<void()>(linkToDevice)}) {
        std::filesystem::remove(database);
        make();
        const auto start = std::chrono::steady_clock::now();
        for (const auto& operation : {std::function<void()>([&] { file.ListManufacturers(LB1); }),
                                      std::function<void()>([&] { file.FindManufacturerName(); }),
                                      std::function<void()>([&] { file.LoadManufacturer(); }),
                                      std::function<void()>([&] { file.PurgeDeletedManufacturers(); })}) {
            try {
                operation();
                ADD_FAILURE() << "a special file was taken for the database";
            } catch (const files::FileError& error) {
                EXPECT_NE(std::string(error.what()).find("it is not a regular file"), std::string::npos)
                    << error.what();
                EXPECT_NE(std::string(error.what()).find(files::Utf8Of(database)), std::string::npos);
            }
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_TRUE(LB1.Items().empty());
    }
}
#endif

TEST_F(ManufacturerFileTest, APurgeKilledAtAnyStepLeavesAWholeDatabase) {
    const std::vector<ManufacturerRecord> records{PlainRecord("Alpha"), PlainRecord("Beta DELETE"),
                                                  PlainRecord("Gamma")};
    for (const char* step : {"WriteNewFile", "FlushToDisk", "ReplaceFile"}) {
        PutInFile(records);
        auto before = ReadBytes(file.MfgFile());
        disk.failAt = step;
        EXPECT_THROW(file.PurgeDeletedManufacturers(), files::FileError) << step;
        EXPECT_EQ(ReadBytes(file.MfgFile()), before) << "the old database is there, whole, after " << step;
        EXPECT_FALSE(std::filesystem::exists(directory.path / "MFG.TMP")) << step;
    }
    disk.failAt.clear();
    file.PurgeDeletedManufacturers();
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Alpha", "Gamma"}));
}

TEST_F(ManufacturerFileTest, OfferDeletionAsksOnlyForAMarkedRecordAndPurgesOnYes) {
    PutInFile({PlainRecord("Alpha"), PlainRecord("Beta DELETE"), PlainRecord("Gamma delete")});
    file.DisplayedManufacturer = PlainRecord("Alpha");
    file.OfferDeletion();
    EXPECT_TRUE(messages.Boxes().empty());

    file.DisplayedManufacturer = PlainRecord("Beta DELETE");
    messages.QueueAnswer(toolkit::Answer::No);
    file.OfferDeletion();
    EXPECT_EQ(NamesInFile(file.MfgFile()).size(), 3u);
    ASSERT_EQ(messages.Boxes().size(), 1u);
    EXPECT_EQ(messages.Boxes()[0].kind, toolkit::BoxKind::Confirmation);
    EXPECT_EQ(messages.Boxes()[0].text,
              "You have marked this Manufacturer for deletion.\nDo you want to delete it now?");

    messages.QueueAnswer(toolkit::Answer::Yes);
    file.OfferDeletion();
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Alpha"})) << "both marked records go";
}

} // namespace
} // namespace varnholt::manufacturers
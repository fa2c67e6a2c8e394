#include "TemporaryDirectory.h"

#include "files/Utf8Path.h"
#include "manufacturers/ManufacturerFile.h"
#include "manufacturers/WorkingFolder.h"
#include "toolkit/HeadlessMessageService.h"

#include <gtest/gtest.h>

namespace varnholt::manufacturers {
namespace {

namespace fs = std::filesystem;
using testing::Concatenate;
using testing::NamesInFile;
using testing::PlainRecord;
using testing::ReadBytes;
using testing::TemporaryDirectory;

// The first start of a user whose profile folder has a name beyond ASCII: the data folder is set
// up there with the sample, and the database in it is added to, purged and read.
TEST(WorkingFolder, TheDataFolderUnderAUnicodeNameIsSeededAndItsDatabaseWorks) {
    TemporaryDirectory scratch;
    const fs::path profile = scratch.path / files::PathFromUtf8("M\xc3\xbcller");
    files::StartEnvironment environment;
    environment.currentFolder = scratch.path;
    environment.xdgDataHome = profile; // Linux's name for it
    environment.appData = profile;     // Windows' name for it
    const std::vector<std::uint8_t> sample = Concatenate({PlainRecord("Sample delete"), PlainRecord("Sample")});

    const WorkingFolderChoice choice = ChooseWorkingFolder(std::nullopt, environment, sample);
    ASSERT_FALSE(choice.error) << *choice.error;
    EXPECT_EQ(choice.folder, profile / "varnholt");
    EXPECT_EQ(ReadBytes(choice.folder / ManufacturerFile::FileName), sample);
    ASSERT_TRUE(choice.note);
    EXPECT_NE(choice.note->find("\"" + files::Utf8Of(profile / "varnholt") + "\""), std::string::npos) << *choice.note;

    toolkit::HeadlessMessageService messages;
    ManufacturerFile file{choice.folder, messages};
    file.CurrentManufacturer = PlainRecord("Zenith");
    EXPECT_TRUE(file.SaveManufacturer());
    file.PurgeDeletedManufacturers();
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Sample", "Zenith"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(choice.folder), {}), 1) << "no file beside it";
    EXPECT_FALSE(ChooseWorkingFolder(std::nullopt, environment, sample).note) << "said once";

    files::StartEnvironment homeless;
    homeless.currentFolder = scratch.path;
    const WorkingFolderChoice nowhere = ChooseWorkingFolder(std::nullopt, homeless, sample);
    EXPECT_EQ(nowhere.error, "there is no \"Varnholt.MFG\" in \"" + files::Utf8Of(scratch.path) +
                                 "\" and no data folder (" + files::DataFolderVariable() +
                                 " is not set); start with --folder DIR");
}

} // namespace
} // namespace varnholt::manufacturers

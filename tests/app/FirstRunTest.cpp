#include "app/CommandLine.h"
#include "app/QtProgram.h"
#include "app/SampleDatabase.h"
#include "manufacturers/WorkingFolder.h"
#include "qt/forms/QtFormWindow.h"
#include "toolkit/Button.h"
#include "toolkit/ListBox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace varnholt::app {
namespace {

namespace fs = std::filesystem;
using files::StartEnvironment;
using manufacturers::ChooseWorkingFolder;
using manufacturers::WorkingFolderChoice;

class Scratch {
public:
    Scratch() {
        std::random_device seed;
        path = fs::temp_directory_path() /
               ("varnholt-first-run-" + std::to_string(seed()) + std::to_string(seed()));
        fs::create_directories(path / "start");
        fs::create_directories(path / "data-home");
    }
    ~Scratch() {
        std::error_code error;
        fs::remove_all(path, error);
    }
    StartEnvironment Environment() const {
        StartEnvironment environment;
        environment.currentFolder = path / "start";
        environment.xdgDataHome = path / "data-home";
        environment.home = "/nonexistent";
        environment.xdgRuntimeDir = path / "runtime";
        return environment;
    }
    fs::path path;
};

std::vector<std::uint8_t> Bytes(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), {}};
}

TEST(FirstRun, AFolderWithoutDatabaseOpensTheDataFolderSeededWithTheSample) {
    Scratch scratch;
    const std::vector<std::uint8_t> sample = SampleDatabase();
    ASSERT_EQ(sample.size(), 7 * manufacturers::RecordSize) << "the sample built into the program";

    const WorkingFolderChoice choice = ChooseWorkingFolder(std::nullopt, scratch.Environment(), sample);
    ASSERT_FALSE(choice.error) << *choice.error;
    EXPECT_EQ(choice.folder, scratch.path / "data-home" / "varnholt");
    EXPECT_EQ(Bytes(choice.folder / "Varnholt.MFG"), sample);
    ASSERT_TRUE(choice.note);
    EXPECT_NE(choice.note->find("sample database"), std::string::npos);
    EXPECT_EQ(fs::directory_iterator(scratch.path / "start"), fs::directory_iterator())
        << "the start folder is left alone";

    QtProgram program(choice.folder);
    program.Start();
    qtforms::QtFormWindow* window = program.Windows().WindowOf(program.Model().Tallowmere);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::mouseClick(window->WidgetOf(program.Model().Tallowmere.Button1), Qt::LeftButton);
    const auto& names = program.Model().Form2.Get<toolkit::ListBox>("LB1").Items();
    ASSERT_EQ(names.size(), 7U);
    EXPECT_EQ(names[1], "Sample 6-pin 0-9 step 2");

    // The next start finds the database there and says nothing more.
    const WorkingFolderChoice again = ChooseWorkingFolder(std::nullopt, scratch.Environment(), sample);
    EXPECT_EQ(again.folder, choice.folder);
    EXPECT_FALSE(again.note);
}

TEST(FirstRun, AFolderWithItsOwnDatabaseOrNamedByFolderIsUsedAndNothingIsCopied) {
    Scratch scratch;
    const std::vector<std::uint8_t> own(manufacturers::RecordSize, 0);
    std::ofstream(scratch.path / "start" / "Varnholt.MFG", std::ios::binary)
        .write(reinterpret_cast<const char*>(own.data()), static_cast<std::streamsize>(own.size()));

    const WorkingFolderChoice choice =
        ChooseWorkingFolder(std::nullopt, scratch.Environment(), SampleDatabase());
    EXPECT_EQ(choice.folder, scratch.path / "start");
    EXPECT_FALSE(choice.note);
    EXPECT_EQ(Bytes(scratch.path / "start" / "Varnholt.MFG"), own);

    // --folder names an empty folder: it is used as it is, without a sample.
    fs::create_directories(scratch.path / "start" / "job");
    const ParsedCommandLine parsed = ParseCommandLine({"--folder", "job"}, scratch.path / "start");
    ASSERT_FALSE(parsed.error);
    const WorkingFolderChoice named =
        ChooseWorkingFolder(parsed.options.folder, scratch.Environment(), SampleDatabase());
    EXPECT_EQ(named.folder, scratch.path / "start" / "job");
    EXPECT_FALSE(fs::exists(named.folder / "Varnholt.MFG"));
    EXPECT_EQ(fs::directory_iterator(scratch.path / "data-home"), fs::directory_iterator())
        << "nothing copied";

    const WorkingFolderChoice missing =
        ChooseWorkingFolder(scratch.path / "no-such-folder", scratch.Environment(), SampleDatabase());
    ASSERT_TRUE(missing.error);
    EXPECT_NE(missing.error->find("no such folder"), std::string::npos);
}

TEST(CommandLine, FollowsTheGnuConventions) {
    const fs::path start = "/home/user/jobs";
    const ParsedCommandLine parsed = ParseCommandLine({"--folder=/srv/db", "system.json"}, start);
    ASSERT_FALSE(parsed.error);
    EXPECT_EQ(parsed.options.folder, fs::path("/srv/db"));
    EXPECT_EQ(parsed.options.systemFile, fs::path("/home/user/jobs/system.json"))
        << "relative to the start folder";
    EXPECT_EQ(ParseCommandLine({"--", "--odd name"}, start).options.systemFile, start / "--odd name");
    EXPECT_EQ(ParseCommandLine({"--colour"}, start).error, "unrecognized option '--colour'");
    EXPECT_EQ(ParseCommandLine({"--folder"}, start).error, "option '--folder' requires an argument");
    EXPECT_TRUE(ParseCommandLine({"a", "b"}, start).error);
    EXPECT_TRUE(AsksForHelpOrVersion({"x", "--version"}));
    EXPECT_FALSE(AsksForHelpOrVersion({"--", "--help"}));
    EXPECT_EQ(ProgramVersion("6.4.2").substr(0, 26), "varnholt (Varnholt Lite) 3");
    EXPECT_NE(ProgramVersion("6.4.2").find("Qt 6.4.2"), std::string::npos);
}

} // namespace
} // namespace varnholt::app

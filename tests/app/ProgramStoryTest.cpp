#include "app/Program.h"
#include "manufacturers/ManufacturerRecord.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/HeadlessMessageService.h"
#include "toolkit/Keys.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace varnholt::app {
namespace {

using toolkit::Answer;
using toolkit::BoxKind;

class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::random_device seed;
        path = std::filesystem::temp_directory_path() /
               ("varnholt-app-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path);
    }
    ~TemporaryDirectory() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    std::filesystem::path path;
};

manufacturers::ManufacturerRecord Manufacturer(std::string name) {
    manufacturers::ManufacturerRecord record;
    record.Name = std::move(name);
    record.MinChambers = 3;
    record.ChamberChoices = 5;
    record.DeepestCut = 9;
    record.MaxAdjacentCut = 5;
    record.StepIncrement = 2;
    return record;
}

const char* const FileNotLocated = "The Manufacturer's file can not be located.\n"
                                   "Please correct the problem or click on\n"
                                   "'Create New Manufacturer' to create it.";

// The whole program without a screen: every window, the real database file in a fresh start
// directory, message boxes answered by the test, reports caught instead of previewed.
class ProgramStory : public ::testing::Test {
protected:
    ProgramStory() { program.Start(); }

    void PutInFile(const std::vector<manufacturers::ManufacturerRecord>& records) {
        std::ofstream stream(directory.path / "Varnholt.MFG", std::ios::binary | std::ios::trunc);
        for (const auto& record : records) {
            auto bytes = record.Encode();
            stream.write(reinterpret_cast<const char*>(bytes.data()),
                         static_cast<std::streamsize>(bytes.size()));
        }
    }

    std::vector<std::string> NamesInFile() {
        std::vector<std::string> names;
        for (const auto& record : program.file.ReadAllRecords()) {
            names.push_back(record.Name);
        }
        return names;
    }

    TemporaryDirectory directory;
    toolkit::HeadlessMessageService messages;
    std::vector<bands::Document> reports;
    int hooksRun = 0;
    Program program{directory.path, messages,
                    [this](bands::Document document, const bands::PreviewCreatedHook& hook) {
                        reports.push_back(std::move(document));
                        hook(nullptr);
                        ++hooksRun;
                    }};
    toolkit::ScriptedDriver driver{program.application, messages};
};

TEST_F(ProgramStory, StartsWithTheMainWindowAloneCentredAndGenerateANewSystemFocused) {
    EXPECT_EQ(program.file.MfgFile(), directory.path / "Varnholt.MFG");
    EXPECT_EQ(program.application.Title(), "VarnholtLite");
    EXPECT_EQ(program.application.HelpFile(), "Varnholt.hlp");

    auto& window = program.Tallowmere;
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.Caption(), "Varnholt");
    EXPECT_EQ(window.ClientWidth(), 775);
    EXPECT_EQ(window.ClientHeight(), 546);
    EXPECT_FALSE(window.Resizable());
    EXPECT_EQ(window.Left(), (program.application.ScreenWidth() - 775) / 2);
    EXPECT_EQ(window.Top(), (program.application.ScreenHeight() - 546) / 2);
    EXPECT_TRUE(window.TextFont().bold);
    EXPECT_EQ(window.TextFont().family, "Times New Roman");
    EXPECT_FALSE(program.AboutBox.Visible());
    EXPECT_FALSE(program.Form2.Visible());
    EXPECT_EQ(driver.FocusedName(), "Button1");

    EXPECT_EQ(driver.Text("Label1"), "Varnholt Lite");
    EXPECT_GT(window.Label1.TextFont().pixelSize, window.TextFont().pixelSize);
    EXPECT_EQ(driver.Text("Label2"), "Version 3.5");
    EXPECT_EQ(driver.Text("Label3"), std::string(67, '*'));
    EXPECT_EQ(driver.Text("Label4"), "  Main Menu");
    EXPECT_EQ(driver.Text("Label5"), "    Click on a menu item. ");
    const std::vector<std::string> captions{
        "Generate a New System",        "Create New Manufacturer", "List / Change Data", "About", "Quit",
        "Open a Saved System… (Ctrl+O)"};
    std::vector<std::string> inTabOrder;
    for (auto* component : window.TabSequence()) {
        inTabOrder.push_back(driver.Text(component->Name()));
    }
    EXPECT_EQ(inTabOrder, captions);
    EXPECT_FALSE(driver.Showing("Panel2"));
}

TEST_F(ProgramStory, QuitEscapeAndTheCloseBoxEndTheProgramWithoutAQuestion) {
    driver.Click("Button5");
    EXPECT_TRUE(program.application.Terminated());
    EXPECT_TRUE(driver.Boxes().empty());
}

TEST_F(ProgramStory, EscapeEndsTheProgramEvenWithUnsavedInputInThePanel) {
    driver.Click("Button2").Type("Half typed\n").Type("4");
    driver.Press(toolkit::Key::Escape);
    EXPECT_TRUE(program.application.Terminated());
    EXPECT_FALSE(std::filesystem::exists(directory.path / "Varnholt.MFG") &&
                 std::filesystem::file_size(directory.path / "Varnholt.MFG") > 0);
}

TEST_F(ProgramStory, ClosingTheMainWindowEndsTheProgram) {
    driver.Close("Tallowmere");
    EXPECT_TRUE(program.application.Terminated());
}

TEST_F(ProgramStory, AboutShowsTheOneDialogAgainAndItsOkReturnsToTheMenu) {
    driver.Click("Button4");
    EXPECT_TRUE(program.AboutBox.Visible());
    EXPECT_EQ(program.AboutBox.Caption(), "About");
    EXPECT_EQ(driver.Text("ProductName"), "Varnholt Lite");
    EXPECT_EQ(driver.Text("Version"), "Version 3.5");
    const auto formsBefore = program.application.Forms().size();
    driver.Click("Tallowmere.Button4");
    EXPECT_EQ(program.application.Forms().size(), formsBefore);
    EXPECT_TRUE(program.AboutBox.Visible());
    driver.Click("OKButton");
    EXPECT_FALSE(program.AboutBox.Visible());
    EXPECT_EQ(program.Tallowmere.Focused(), &program.Tallowmere.Button1);
}

TEST_F(ProgramStory, WithoutAFileTheListSaysSoTwiceAndIsNotShown) {
    driver.Press(toolkit::Key::Return);
    EXPECT_EQ(driver.Transcript(), (std::vector<std::string>{std::string("error: ") + FileNotLocated,
                                                             std::string("information: ") + FileNotLocated}));
    EXPECT_FALSE(program.Form2.Visible());
    EXPECT_FALSE(program.Form2.DefiningSystem) << "a later listing must not open for a new system";
}

TEST_F(ProgramStory, AnEmptyFileGivesTheInformationBoxOnly) {
    PutInFile({});
    driver.Click("Button3");
    EXPECT_EQ(driver.Transcript(), (std::vector<std::string>{std::string("information: ") + FileNotLocated}));
    EXPECT_FALSE(program.Form2.Visible());
}

TEST_F(ProgramStory, TheListShowsTheNamesInFileOrderAndOpensTheChosenRecordForChange) {
    PutInFile({Manufacturer("Acme"), Manufacturer("Corbel"), Manufacturer("Zenith")});
    driver.Click("Button3");
    auto& dialog = program.Form2;
    ASSERT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.Get<toolkit::ListBox>("LB1").Items(),
              (std::vector<std::string>{"Acme", "Corbel", "Zenith"}));
    EXPECT_EQ(dialog.Get<toolkit::ListBox>("LB1").ItemIndex(), 0);
    EXPECT_EQ(dialog.Focused(), &dialog.Get<toolkit::ListBox>("LB1"));
    EXPECT_EQ(driver.Text("Label1"), "Manufacturer's Listing");
    EXPECT_EQ(dialog.Get<toolkit::ListBox>("LB1").Top(), 74);
    EXPECT_EQ(dialog.Get<toolkit::ListBox>("LB1").Width(), 537);
    EXPECT_EQ(dialog.Get<toolkit::ListBox>("LB1").Height(), 80);
    EXPECT_EQ(dialog.Get<toolkit::ListBox>("LB1").Left(), (dialog.ClientWidth() - 537) / 2);
    EXPECT_EQ(dialog.Get<toolkit::Button>("Button1").Top(), 270);
    EXPECT_TRUE(driver.Showing("Form2.Button2"));

    driver.Press(toolkit::Key::Down).Press(toolkit::Key::Down).Press(toolkit::Key::Return);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(program.file.SelectedRecord, 2u);
    EXPECT_TRUE(driver.Showing("Panel2"));
    EXPECT_EQ(driver.Text("MfgsName"), "Zenith");
    EXPECT_EQ(driver.Text("Button7"), "Restore");
    EXPECT_EQ(driver.FocusedName(), "MfgsName") << "not the covered menu button";

    driver.Type("Zenith Locks").Click("Button6");
    EXPECT_EQ(NamesInFile(), (std::vector<std::string>{"Acme", "Corbel", "Zenith Locks"}))
        << "written in its place";
    EXPECT_FALSE(driver.Showing("Panel2"));
    EXPECT_EQ(driver.FocusedName(), "Button1");

    // A new name that the lookup does not find makes OK add a record; the listed one stays.
    driver.Click("Button3").Select("LB1", 0).Click("Form2.Button1");
    driver.Type("Acme Two\t").Click("Button6");
    EXPECT_EQ(NamesInFile(), (std::vector<std::string>{"Acme", "Corbel", "Zenith Locks", "Acme Two"}));
    EXPECT_EQ(messages.PendingAnswers(), 0);
}

TEST_F(ProgramStory, ARecordAnotherCopyMovedIsNotOverwrittenAndTheListComesBack) {
    PutInFile({Manufacturer("Acme"), Manufacturer("Corbel DELETE"), Manufacturer("Zenith")});
    driver.Click("Button3").Select("LB1", 2).Click("Form2.Button1");
    ASSERT_EQ(driver.Text("MfgsName"), "Zenith");
    PutInFile({Manufacturer("Acme"), Manufacturer("Zenith")}); // the other copy purged meanwhile

    driver.Type("Zenith Locks").Click("Button6");
    EXPECT_EQ(driver.LastBox().text, "Another copy of the program has changed the Manufacturer's file\n"
                                     "since this Manufacturer was read. Nothing was saved.\n"
                                     "Please choose the Manufacturer again.");
    EXPECT_EQ(NamesInFile(), (std::vector<std::string>{"Acme", "Zenith"}));
    EXPECT_FALSE(driver.Showing("Panel2"));
    EXPECT_EQ(program.Form2.Get<toolkit::ListBox>("LB1").Items(),
              (std::vector<std::string>{"Acme", "Zenith"}));

    driver.Select("LB1", 1).Click("Form2.Button1").Type("Zenith Locks").Click("Button6");
    EXPECT_EQ(NamesInFile(), (std::vector<std::string>{"Acme", "Zenith Locks"}));
}

TEST_F(ProgramStory, TabStaysInThePanelWhileItCoversTheMenu) {
    driver.Click("Button2").Type("Acme\n").Type("4").Type("6").Type("0").Type("9\n").Type("7").Type("1");
    ASSERT_EQ(driver.FocusedName(), "Button6");
    std::vector<std::string> visited;
    for (int step = 0; step < 3; ++step) {
        visited.push_back(driver.Tab().FocusedName());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"Button7", "Button8", "MfgsName"}));
    driver.Click("Button8");
    EXPECT_EQ(driver.FocusedName(), "Button1");
    EXPECT_EQ(driver.Tab().FocusedName(), "Button2") << "the menu takes Tab again once the panel is closed";
}

TEST_F(ProgramStory, AMarkedRecordConfirmedForDeletionIsGoneFromTheFileAndTheNextListing) {
    PutInFile({Manufacturer("Acme"), Manufacturer("Corbel"), Manufacturer("Zenith")});
    driver.Click("Button3").Select("LB1", 1).Click("Form2.Button1");
    EXPECT_EQ(driver.Text("MfgsName"), "Corbel");
    driver.Type("Corbel DELETE").AnswerNext(Answer::Yes).Click("Button6");
    EXPECT_EQ(driver.LastBox().text, "The Manufacturer's file has been updated.");
    EXPECT_EQ(NamesInFile(), (std::vector<std::string>{"Acme", "Zenith"}));
    driver.Click("Button3");
    EXPECT_EQ(program.Form2.Get<toolkit::ListBox>("LB1").Items(),
              (std::vector<std::string>{"Acme", "Zenith"}));
}

TEST_F(ProgramStory, AfterAListingTheChecksOnEnteringOkAreOffForNewManufacturersToo) {
    PutInFile({Manufacturer("Acme")});
    driver.Click("Button3").Click("Form2.Button2");
    EXPECT_FALSE(program.Form2.Visible());
    driver.Click("Button2").Type("Corbel\n").Type("4").Type("6").Type("0").Type("9\n").Type("7").Type("5");
    EXPECT_EQ(driver.FocusedName(), "Button6");
    EXPECT_TRUE(driver.Boxes().empty());
    driver.Click("Button6");
    EXPECT_EQ(driver.LastBox().text, "The Step increment must be between 1 and 4.")
        << "the save still refuses it";
    EXPECT_EQ(NamesInFile(), (std::vector<std::string>{"Acme"}));
}

TEST_F(ProgramStory, GenerateANewSystemRunsFromTheMenuToTheReportPreview) {
    PutInFile({Manufacturer("Acme")});
    driver.Press(toolkit::Key::Return);
    ASSERT_TRUE(program.Form2.Visible());
    EXPECT_TRUE(program.Form2.DefiningSystem);
    driver.Press(toolkit::Key::Return);
    ASSERT_TRUE(driver.Showing("Panel1"));
    driver.Select("ListBox1", "6").Type("246864").Type("12\n3\n\n").Type("\n");
    ASSERT_EQ(reports.size(), 1u) << ::testing::PrintToString(driver.Transcript());
    EXPECT_EQ(hooksRun, 1);
    EXPECT_FALSE(reports[0].pages.empty());
    EXPECT_FALSE(program.Form2.Visible());
    EXPECT_EQ(program.state.MfgName, "Acme");
}

} // namespace
} // namespace varnholt::app

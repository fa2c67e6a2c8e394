#include "FailingFileSystem.h"
#include "TemporaryDirectory.h"

#include "manufacturers/ManufacturerFile.h"
#include "manufacturers/ManufacturerMessages.h"
#include "manufacturers/ManufacturerPanel.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/HeadlessMessageService.h"
#include "files/FileError.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/ScriptedDriver.h"
#include "files/Utf8Path.h"

#include <gtest/gtest.h>

#include <memory>

namespace varnholt::manufacturers {
namespace {

using testing::Concatenate;
using testing::FailingFileSystem;
using testing::NamesInFile;
using testing::PlainRecord;
using testing::ReadBytes;
using testing::TemporaryDirectory;
using testing::WriteBytes;
using toolkit::Answer;
using toolkit::BoxKind;

// The bytes a record must have in the file, spelled out field by field.
struct ExpectedRecord {
    std::string nameBytes;
    std::int32_t values[8]; // ChamberChoices .. StackTotal
    std::string controlChambers;
    bool isICore;

    RecordBytes Bytes() const {
        RecordBytes bytes{};
        bytes[0] = static_cast<std::uint8_t>(nameBytes.size());
        for (std::size_t index = 0; index < nameBytes.size(); ++index) {
            bytes[1 + index] = static_cast<std::uint8_t>(nameBytes[index]);
        }
        for (std::size_t field = 0; field < 8; ++field) {
            auto bits = static_cast<std::uint32_t>(values[field]);
            for (std::size_t byte = 0; byte < 4; ++byte) {
                bytes[44 + 4 * field + byte] = static_cast<std::uint8_t>(bits >> (8 * byte));
            }
        }
        bytes[76] = static_cast<std::uint8_t>(controlChambers.size());
        for (std::size_t index = 0; index < controlChambers.size(); ++index) {
            bytes[77 + index] = static_cast<std::uint8_t>(controlChambers[index]);
        }
        bytes[84] = isICore ? 1 : 0;
        return bytes;
    }
};

void ExpectRecordBytes(const std::vector<std::uint8_t>& file, std::size_t number,
                       const ExpectedRecord& expected) {
    ASSERT_GE(file.size(), (number + 1) * RecordSize);
    auto bytes = expected.Bytes();
    for (std::size_t offset = 0; offset < RecordSize; ++offset) {
        EXPECT_EQ(file[number * RecordSize + offset], bytes[offset])
            << "record " << number << ", byte " << offset;
    }
}

// The main window as far as the panel sees it: a 775 x 546 form with the menu's
// "Create New Manufacturer" button under the panel.
class ManufacturerPanelStory : public ::testing::Test {
protected:
    ManufacturerPanelStory() {
        window.SetClientSize(775, 546);
        panel = std::make_unique<ManufacturerPanel>(window, file);
        auto& createButton = window.Add<toolkit::Button>("Button2");
        createButton.SetCaption("Create New Manufacturer");
        createButton.OnClick = [this] { panel->Button2Click(); };
        window.Show();
    }

    void PutInFile(const std::vector<ManufacturerRecord>& records) {
        WriteBytes(file.MfgFile(), Concatenate(records));
    }

    // What "List / Change Data" and a choice in the list do before the user sees the record.
    void OpenListedRecord(std::size_t number) {
        panel->ChangingManufacturer = true;
        file.OverwriteRecord = true;
        file.SelectedRecord = number;
        panel->Panel2.Show();
        panel->Button7.SetCaption("Restore");
        file.LoadManufacturer();
        file.DisplayedManufacturer = file.CurrentManufacturer;
        panel->HidePanelLabels();
        panel->ShowPanelLabels();
        panel->HidePanelFields();
        panel->ShowPanelFields();
        panel->LoadManufacturerPanel();
        panel->MfgsName.SetFocus();
        messages.ClearRecord();
    }

    void ExpectRejected(const char* field, const char* message) {
        ASSERT_FALSE(driver.Boxes().empty());
        EXPECT_EQ(driver.LastBox().kind, BoxKind::Warning);
        EXPECT_EQ(driver.LastBox().text, message);
        EXPECT_TRUE(driver.LastBox().afterBeep);
        EXPECT_EQ(driver.FocusedName(), field);
        EXPECT_EQ(driver.Text(field), "");
    }

    // Name, chambers 4..6, cuts 0..9, M.A.C.S 7: the focus is then on Step.
    void TypeUpToStep(std::string_view name) {
        driver.Click("Button2").Type(name).Type("\n").Type("4").Type("6").Type("0").Type("9\n").Type("7");
    }

    TemporaryDirectory directory;
    toolkit::HeadlessMessageService messages;
    toolkit::Application application{messages};
    toolkit::Form window{application, "Tallowmere"};
    FailingFileSystem disk;
    ManufacturerFile file{directory.path, messages, disk};
    std::unique_ptr<ManufacturerPanel> panel;
    toolkit::ScriptedDriver driver{application, messages};
};

TEST_F(ManufacturerPanelStory, ANewManufacturerIsTypedInAndStoredByteForByte) {
    driver.Click("Button2");
    EXPECT_TRUE(driver.Showing("Panel2"));
    EXPECT_EQ(driver.Text("Label19"), "Manufacturer's Data");
    EXPECT_EQ(driver.Text("Button7"), "Refresh");
    EXPECT_EQ(driver.FocusedName(), "MfgsName");
    EXPECT_FALSE(driver.Showing("ControlFactor"));

    driver.Type("Acme Lock\n");
    EXPECT_EQ(driver.FocusedName(), "MinimumChambers");
    driver.Type("4");
    EXPECT_EQ(driver.FocusedName(), "MaximumChambers");
    driver.Type("6").Type("0");
    EXPECT_EQ(driver.FocusedName(), "Deep");
    driver.Type("9");
    EXPECT_EQ(driver.FocusedName(), "Deep") << "a deepest cut of 9 waits for Enter";
    driver.Type("\n").Type("0").Type("2");
    EXPECT_EQ(driver.FocusedName(), "Button6");
    driver.Type("\n");

    EXPECT_EQ(driver.Transcript(),
              (std::vector<std::string>{"information: The Manufacturer's file has been updated."}));
    EXPECT_FALSE(driver.Showing("Panel2"));
    auto bytes = ReadBytes(file.MfgFile());
    ASSERT_EQ(bytes.size(), RecordSize);
    ExpectRecordBytes(bytes, 0, {"Acme Lock", {3, 4, 0, 9, 0, 2, 0, 0}, "", false});
}

TEST_F(ManufacturerPanelStory, AnInterchangeableCoreManufacturerIsStoredByteForByte) {
    driver.Click("Button2").Type("Best Core\n").Type("6").Type("7").Type("1").Type("10");
    EXPECT_EQ(driver.FocusedName(), "MaxAdjacent") << "a deepest cut of 10 moves on by itself";
    driver.Type("5").Type("1");
    driver.Click("IsICore");
    EXPECT_EQ(driver.FocusedName(), "ControlFactor");
    EXPECT_TRUE(driver.Showing("StackTotal"));
    EXPECT_TRUE(driver.Showing("CheckBox7"));
    EXPECT_TRUE(driver.Showing("Label31"));
    driver.Type("07");
    EXPECT_EQ(driver.FocusedName(), "StackTotal");
    driver.Type("23");
    EXPECT_EQ(driver.FocusedName(), "Button6");
    driver.Click("CheckBox1").Click("CheckBox4").Click("Button6");

    EXPECT_EQ(driver.Transcript(),
              (std::vector<std::string>{"information: The Manufacturer's file has been updated."}));
    ExpectRecordBytes(ReadBytes(file.MfgFile()), 0,
                      {"Best Core", {2, 6, 1, 10, 5, 1, 7, 23}, "YNNYNNN", true});
}

TEST_F(ManufacturerPanelStory, AccentedNamesAreStoredInTheAnsiCodePageAndOtherCharactersAreRefused) {
    driver.Click("Button2").Type("Sch\xC3\xA9"
                                 "f\xCE\xA9"
                                 "er \xE2\x82\xAC");
    EXPECT_EQ(driver.Text("MfgsName"), "Sch\xC3\xA9"
                                       "fer \xE2\x82\xAC");
    EXPECT_EQ(driver.Transcript(), (std::vector<std::string>{"beep"}))
        << "the Omega is refused as it is typed";
    messages.ClearRecord();
    driver.Type("\n").Type("4").Type("6").Type("0").Type("9\n").Type("7").Type("1").Click("Button6");
    ExpectRecordBytes(ReadBytes(file.MfgFile()), 0,
                      {"Sch\xE9"
                       "fer \x80",
                       {3, 4, 0, 9, 7, 1, 0, 0},
                       "",
                       false});
}

TEST_F(ManufacturerPanelStory, AnExistingNameAnsweredYesIsOverwrittenInPlace) {
    PutInFile({PlainRecord("Corbel"), PlainRecord("Acme Lock"), PlainRecord("Zenith")});
    driver.Click("Button2").AnswerNext(Answer::Yes).Type("ACME LOCK\n");
    EXPECT_EQ(driver.LastBox().text,
              "This Manufacturer's name is already in the Database.\nDo you want to overwrite it?");
    EXPECT_EQ(driver.LastBox().buttons, toolkit::Buttons::YesNo);
    EXPECT_EQ(driver.FocusedName(), "MinimumChambers");
    driver.Type("3").Type("5").Type("1").Type("8\n").Type("3").Type("2").Click("Button6");
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Corbel", "ACME LOCK", "Zenith"}));
    ExpectRecordBytes(ReadBytes(file.MfgFile()), 1, {"ACME LOCK", {3, 3, 1, 8, 3, 2, 0, 0}, "", false});
}

TEST_F(ManufacturerPanelStory, AnOverwriteOfARecordAnotherCopyMovedWritesNothingAndLooksTheNameUpAgain) {
    PutInFile({PlainRecord("Corbel delete"), PlainRecord("Acme Lock"), PlainRecord("Zenith")});
    driver.Click("Button2").AnswerNext(Answer::Yes).Type("ACME LOCK\n");
    driver.Type("3").Type("5").Type("1").Type("8\n").Type("3").Type("2");
    PutInFile({PlainRecord("Acme Lock"), PlainRecord("Zenith")}); // the other copy purged meanwhile

    driver.Click("Button6");
    EXPECT_EQ(driver.LastBox().text, "Another copy of the program has changed the Manufacturer's file\n"
                                     "since this Manufacturer was read. Nothing was saved.\n"
                                     "Please choose the Manufacturer again.");
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Acme Lock", "Zenith"}))
        << "Zenith kept";
    EXPECT_EQ(driver.FocusedName(), "MfgsName");
    driver.Click("Button6");
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Acme Lock", "Zenith"}))
        << "a second OK without a new lookup is refused too";

    driver.AnswerNext(Answer::Yes).Type("\n").Click("Button6");
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"ACME LOCK", "Zenith"}));
}

TEST_F(ManufacturerPanelStory, AnExistingNameAnsweredNoSendsTheUserBackToTheEndOfTheName) {
    PutInFile({PlainRecord("Corbel"), PlainRecord("Acme Lock")});
    driver.Click("Button2").AnswerNext(Answer::No).Type("Acme Lock\n");
    EXPECT_EQ(driver.FocusedName(), "MfgsName");
    EXPECT_EQ(driver.Get<toolkit::Edit>("MfgsName").SelStart(), 9);
    EXPECT_EQ(driver.Get<toolkit::Edit>("MfgsName").SelLength(), 0);
    driver.Type(" II\n");
    EXPECT_EQ(driver.FocusedName(), "MinimumChambers");
    driver.Type("4").Type("6").Type("0").Type("9\n").Type("7").Type("1").Click("Button6");
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Corbel", "Acme Lock", "Acme Lock II"}));
}

TEST_F(ManufacturerPanelStory, EveryFieldRejectsWhatTheManufacturerCannotHaveAndTakesTheFocusBack) {
    driver.Click("Button2").Type("Acme\n").Type("9");
    ExpectRejected("MinimumChambers", "The Minimum Chambers is 3, the Maximum is 7.");

    driver.Type("6").Type("4");
    EXPECT_EQ(driver.LastBox().kind, BoxKind::Error);
    EXPECT_EQ(driver.LastBox().text,
              "The Maximum Chambers must be equal to or\ngreater than the Minimum Chambers.");
    EXPECT_EQ(driver.FocusedName(), "MaximumChambers");
    EXPECT_EQ(driver.Text("MaximumChambers"), "");
    EXPECT_EQ(driver.Text("MinimumChambers"), "6");

    driver.Type("8");
    ExpectRejected("MaximumChambers", "Maximum Chambers must be in the range of 3 to 7.");
    driver.Type("7").Type("2");
    ExpectRejected("Shallow", "Shallow cuts are either 0 or 1.");
    driver.Type("1").Type("11");
    ExpectRejected("Deep", "The Deepest cut must be between 5 and 10.");
    driver.Type("4\n");
    ExpectRejected("Deep", "The Deepest cut must be between 5 and 10.");
    driver.Type("9\n").Type("2");
    ExpectRejected("MaxAdjacent", "The M.A.C.S must be between 3 and 9.");
    driver.Type("0");
    EXPECT_EQ(driver.FocusedName(), "Step") << "an M.A.C.S of 0 is accepted";
    driver.Type("5");
    ExpectRejected("Step", "The Step increment must be between 1 and 4.");
    driver.Type("2");
    EXPECT_EQ(driver.FocusedName(), "Button6");

    driver.Click("IsICore").Type("31");
    ExpectRejected("ControlFactor", "The Control Factor must be between 1 and 30.");
    driver.Type("00");
    ExpectRejected("ControlFactor", "The Control Factor must be between 1 and 30.");
    driver.Type("06").Type("05");
    ExpectRejected("StackTotal", "The Stack Total must be between 6 and 30.");
    driver.Type("31");
    ExpectRejected("StackTotal", "The Stack Total must be between 6 and 30.");
    driver.Type("23");
    EXPECT_EQ(driver.FocusedName(), "Button6");
    messages.ClearRecord();
    driver.Click("Button6");
    EXPECT_EQ(driver.Transcript(),
              (std::vector<std::string>{"beep", "warning: At least one Control Chamber MUST be checked."}));
    EXPECT_FALSE(std::filesystem::file_size(file.MfgFile()) > 0);
    driver.Click("CheckBox2").Click("Button6");
    ExpectRecordBytes(ReadBytes(file.MfgFile()), 0, {"Acme", {2, 6, 1, 9, 0, 2, 6, 23}, "NYNNNNN", true});
}

TEST_F(ManufacturerPanelStory, WithAnInterchangeableCoreTheStepIsCheckedWhenTheControlFactorIsEntered) {
    driver.Click("Button2").Type("Acme\n").Type("4").Type("6").Type("0").Type("9\n").Type("7");
    driver.Click("IsICore");
    EXPECT_EQ(driver.FocusedName(), "ControlFactor");
    driver.Focus("Step").Type("5");
    ExpectRejected("Step", "The Step increment must be between 1 and 4.");
}

TEST_F(ManufacturerPanelStory, EmptyFieldsAreFilledInOrderBeforeTheFocusMovesOn) {
    driver.Click("Button2").Type("Acme\n");
    messages.ClearRecord();
    driver.Focus("Deep");
    EXPECT_EQ(driver.FocusedName(), "MinimumChambers") << "sent back to the first empty field";
    EXPECT_GE(driver.Beeps(), 1);
    EXPECT_TRUE(driver.Boxes().empty());
}

TEST_F(ManufacturerPanelStory, OkWithoutTheCoreValuesSendsTheUserToThem) {
    TypeUpToStep("Acme");
    driver.Type("1").Click("IsICore");
    messages.ClearRecord();
    driver.Click("Button6");
    EXPECT_EQ(driver.FocusedName(), "ControlFactor")
        << "sent to the stack total, which sent on to the control factor";
    EXPECT_EQ(driver.Transcript(), (std::vector<std::string>{"beep", "beep"}));
    EXPECT_FALSE(std::filesystem::file_size(file.MfgFile()) > 0);
}

TEST_F(ManufacturerPanelStory, AnEmptyStepStopsOkWithTheConversionErrorAndKeepsThePanelOpen) {
    TypeUpToStep("Acme");
    driver.Focus("Step").Click("Button6");
    EXPECT_EQ(driver.LastBox().kind, BoxKind::Error);
    EXPECT_EQ(driver.LastBox().text, "'' is not a valid integer value");
    EXPECT_TRUE(driver.Showing("Panel2"));
    EXPECT_EQ(std::filesystem::file_size(file.MfgFile()), 0u);
}

TEST_F(ManufacturerPanelStory, TheSaveRefusesImpossibleValuesEvenWhenTheFieldChecksAreOff) {
    panel->ChangingManufacturer = true;
    TypeUpToStep("Acme");
    driver.Type("5");
    EXPECT_EQ(driver.FocusedName(), "Button6");
    EXPECT_TRUE(driver.Boxes().empty()) << "entering OK checks nothing while records are being changed";
    driver.Click("Button6");
    EXPECT_EQ(driver.LastBox().text, "The Step increment must be between 1 and 4.");
    EXPECT_EQ(driver.FocusedName(), "Step");
    EXPECT_TRUE(driver.Showing("Panel2"));
    EXPECT_EQ(std::filesystem::file_size(file.MfgFile()), 0u);
}

TEST_F(ManufacturerPanelStory, AStepThatLeavesNoAlternativeDepthIsRefusedAtTheSave) {
    // Depths 1..5 with step 4: a system on it would have no change key, and nobody said why.
    driver.Click("Button2").Type("Narrow\n").Type("4").Type("6").Type("1").Type("5\n").Type("0").Type("4");
    ASSERT_EQ(driver.FocusedName(), "Button6");
    driver.Type("\n");
    EXPECT_EQ(driver.LastBox().text, "The Step increment leaves no alternative depth\n"
                                     "between the Shallowest and the Deepest cut.");
    EXPECT_EQ(driver.FocusedName(), "Step");
    EXPECT_EQ(std::filesystem::file_size(file.MfgFile()), 0u);

    // Depths 0..10: "0" is written for depth 10, so depth 0 could never be printed.
    driver.Focus("Shallow").Type("\b0").Type("10").Type("7").Type("1");
    ASSERT_EQ(driver.FocusedName(), "Button6");
    driver.Type("\n");
    EXPECT_EQ(driver.LastBox().text, varnholt::manufacturers::messages::ZeroAndTen);
    EXPECT_EQ(driver.FocusedName(), "Shallow");
    EXPECT_EQ(std::filesystem::file_size(file.MfgFile()), 0u);
}

TEST_F(ManufacturerPanelStory, RefreshEmptiesTheNewManufacturerAndCancelSavesNothing) {
    TypeUpToStep("Acme");
    driver.Click("Button7");
    EXPECT_EQ(driver.Text("MfgsName"), "");
    EXPECT_EQ(driver.Text("Deep"), "");
    EXPECT_EQ(driver.FocusedName(), "MfgsName");
    driver.Type("Corbel").Click("Button8");
    EXPECT_FALSE(driver.Showing("Panel2"));
    EXPECT_FALSE(panel->NewManufacturerMode);
    EXPECT_EQ(std::filesystem::file_size(file.MfgFile()), 0u);
    driver.Click("Button2");
    EXPECT_EQ(driver.Text("MfgsName"), "") << "Cancel emptied the fields";
}

TEST_F(ManufacturerPanelStory, AFullDiskAtTheSaveShowsTheFileErrorAndKeepsTheInput) {
    TypeUpToStep("Acme");
    driver.Type("1");
    disk.failAt = "WriteAt";
    messages.ClearRecord();
    driver.Click("Button6");
    ASSERT_EQ(driver.Boxes().size(), 1u);
    EXPECT_EQ(driver.LastBox().kind, BoxKind::Error);
    EXPECT_EQ(driver.LastBox().text,
              "Cannot write the file \"" + files::Utf8Of(file.MfgFile()) + "\": No space left on device.");
    EXPECT_TRUE(driver.Showing("Panel2"));
    EXPECT_EQ(driver.Text("MfgsName"), "Acme");
    EXPECT_EQ(std::filesystem::file_size(file.MfgFile()), 0u);
}

TEST_F(ManufacturerPanelStory, AListedRecordIsShownChangedAndWrittenInItsPlace) {
    auto core = PlainRecord("Corbel");
    core.IsICore = true;
    core.ControlFactor = 6;
    core.StackTotal = 23;
    core.ControlChambers = "NNYNNNY";
    PutInFile({PlainRecord("Acme"), core, PlainRecord("Zenith")});
    OpenListedRecord(1);
    EXPECT_EQ(driver.Text("MfgsName"), "Corbel");
    EXPECT_EQ(driver.Text("MinimumChambers"), "5");
    EXPECT_EQ(driver.Text("MaximumChambers"), "6");
    EXPECT_EQ(driver.Text("Deep"), "9");
    EXPECT_EQ(driver.Text("ControlFactor"), "6");
    EXPECT_EQ(driver.Text("StackTotal"), "23");
    EXPECT_TRUE(driver.Checked("IsICore"));
    EXPECT_TRUE(driver.Checked("CheckBox3"));
    EXPECT_TRUE(driver.Checked("CheckBox7"));
    EXPECT_FALSE(driver.Checked("CheckBox1"));
    EXPECT_TRUE(driver.Showing("Label22"));
    EXPECT_TRUE(messages.Transcript().empty()) << "a sound record loads without a message";

    driver.Focus("Deep").Type("\b8\n");
    driver.Click("Button7");
    EXPECT_EQ(driver.Text("Deep"), "9") << "Restore shows the record as read";
    EXPECT_EQ(driver.FocusedName(), "MfgsName");

    driver.Focus("Deep").Type("\b8\n").Click("Button6");
    EXPECT_EQ(driver.Transcript(),
              (std::vector<std::string>{"information: The Manufacturer's file has been updated."}));
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Acme", "Corbel", "Zenith"}));
    ExpectRecordBytes(ReadBytes(file.MfgFile()), 1, {"Corbel", {2, 5, 0, 8, 7, 1, 6, 23}, "NNYNNNY", true});
}

TEST_F(ManufacturerPanelStory, MarkingAListedRecordAndAnsweringYesPurgesItAndKeepsTheOrder) {
    PutInFile(
        {PlainRecord("Acme"), PlainRecord("Corbel"), PlainRecord("Yale delete"), PlainRecord("Zenith")});
    OpenListedRecord(1);
    driver.Type("Corbel DELETE").AnswerNext(Answer::Yes).Click("Button6");
    EXPECT_EQ(driver.Transcript(),
              (std::vector<std::string>{"confirmation: You have marked this Manufacturer for deletion.\n"
                                        "Do you want to delete it now?",
                                        "information: The Manufacturer's file has been updated."}));
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Acme", "Zenith"}));
    EXPECT_FALSE(driver.Showing("Panel2"));
}

TEST_F(ManufacturerPanelStory, MarkingAListedRecordAndAnsweringNoKeepsItMarkedInItsPlace) {
    PutInFile({PlainRecord("Acme"), PlainRecord("Corbel"), PlainRecord("Zenith")});
    OpenListedRecord(1);
    driver.Type("Deleted Corbel").AnswerNext(Answer::No).Click("Button6");
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Acme", "Deleted Corbel", "Zenith"}));
}

TEST_F(ManufacturerPanelStory, AMarkedNameLookedUpBeforeOkAppendsAMarkedCopyOfTheLastRecord) {
    PutInFile({PlainRecord("Acme"), PlainRecord("Corbel"), PlainRecord("Zenith")});
    OpenListedRecord(0);
    driver.Type("Acme DELETE\n");
    EXPECT_EQ(driver.FocusedName(), "MinimumChambers");
    driver.AnswerNext(Answer::Yes).Click("Button6");
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Acme", "Corbel", "Zenith"}))
        << "the appended copy went at the purge and the listed record stayed";
}

TEST_F(ManufacturerPanelStory, ADamagedListedRecordCanBeMarkedAndDeleted) {
    auto broken = PlainRecord("Broken");
    broken.DeepestCut = 77;
    PutInFile({PlainRecord("Acme"), broken});
    panel->ChangingManufacturer = true;
    file.OverwriteRecord = true;
    file.SelectedRecord = 1;
    EXPECT_FALSE(file.LoadManufacturer());
    EXPECT_EQ(driver.LastBox().text, "The Manufacturer \"Broken\" (record 2 of the file) is damaged:\n"
                                     "Deepest Cut: 77\nThe Deepest cut must be between 5 and 10.");
    file.DisplayedManufacturer = file.CurrentManufacturer;
    panel->Panel2.Show();
    panel->ShowPanelLabels();
    panel->ShowPanelFields();
    panel->LoadManufacturerPanel();
    driver.Focus("MfgsName").Type("Broken DELETE").AnswerNext(Answer::Yes).Click("Button6");
    EXPECT_EQ(NamesInFile(file.MfgFile()), (std::vector<std::string>{"Acme"}));
}

} // namespace
} // namespace varnholt::manufacturers
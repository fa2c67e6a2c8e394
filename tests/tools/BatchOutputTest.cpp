#include "BatchTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace varnholt::tools::testing {
namespace {

class BatchOutput : public ::testing::Test {
protected:
    BatchOutput() {
        database = (folder.Path() / "Varnholt.MFG").string();
        WriteDatabase(database, SampleManufacturers());
    }

    std::vector<std::string> System(std::vector<std::string> extra) const {
        std::vector<std::string> arguments = {"--database", database, "--manufacturer", "BRANDT",
                                              "--chambers", "6",      "--master-key",   "246135"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return arguments;
    }

    ScratchFolder folder;
    std::string database;
};

std::vector<std::string> Rows(const std::string& csv) {
    std::vector<std::string> rows;
    for (std::size_t start = 0; start < csv.size();) {
        const std::size_t end = csv.find("\r\n", start);
        rows.push_back(csv.substr(start, end - start));
        start = end + 2;
    }
    return rows;
}

TEST_F(BatchOutput, PinningListAsCsvHasARowPerCylinderAndChamberAndAsJsonAPageOfCylinders) {
    const std::vector<std::string> system = {"--masters", "2", "--sub-masters", "2",
                                             "--keys",    "3", "--report",      "pinning"};
    std::vector<std::string> csvArguments = System(system);
    csvArguments.insert(csvArguments.end(), {"--format", "csv"});
    const CommandResult csv = RunCommand(csvArguments);
    ASSERT_EQ(csv.status, ExitDone) << csv.err;
    const std::vector<std::string> rows = Rows(csv.out);
    ASSERT_EQ(rows.size(), 1U + (1 + 2 + 4 + 4 * 3) * 6);
    EXPECT_EQ(rows[0],
              "Level,Designation,Change Key,Bitting,Chamber,Cut,Top Master Cut,Bottom Pin,Master Pin,"
              "Control Pin,Top Pin,Usable");
    EXPECT_EQ(rows[1], "top master,,,246135,1,2,2,2,0,,,yes");
    // Sub-master AA (466135), chamber 2: cut 6 against the top master's 4.
    EXPECT_EQ(rows[1 + 2 * 6 + 1], "sub-master,AA,,466135,2,6,4,4,2,,,yes");

    std::vector<std::string> jsonArguments = System(system);
    jsonArguments.insert(jsonArguments.end(), {"--format", "json"});
    const CommandResult json = RunCommand(jsonArguments);
    ASSERT_EQ(json.status, ExitDone) << json.err;
    EXPECT_NE(json.out.find("\"name\": \"CylinderLines\""), std::string::npos);
    EXPECT_NE(json.out.find("AA       1  468357"), std::string::npos);

    std::vector<std::string> wrong = System({"--report", "pins"});
    const CommandResult refused = RunCommand(wrong);
    EXPECT_EQ(refused.status, ExitRefused);
    EXPECT_NE(refused.err.find("the report must be system, pinning or doors, not 'pins'"), std::string::npos);
}

TEST_F(BatchOutput, CsvListsEveryKeyInReportOrderTopMasterFirst) {
    const CommandResult result =
        RunCommand(System({"--masters", "2", "--sub-masters", "2", "--keys", "3", "--format", "csv"}));
    ASSERT_EQ(result.status, ExitDone) << result.err;
    const std::vector<std::string> rows = Rows(result.out);
    ASSERT_EQ(rows.size(), 1U + 1 + 2 + 4 + 4 * 3);
    EXPECT_EQ(rows[0], "level,designation,change key number,bitting,mark");
    EXPECT_EQ(rows[1], "top master,,,246135,");
    EXPECT_EQ(rows[2], "master,A,,446135,");
    EXPECT_EQ(rows[3], "sub-master,AA,,466135,");
    EXPECT_EQ(rows[4], "sub-master,AB,,486135,");
    EXPECT_EQ(rows[5], "master,B,,646135,");
    EXPECT_EQ(rows[8].substr(0, 16), "change key,AA,1,");
    EXPECT_EQ(rows.back().substr(0, 16), "change key,BB,3,");
}

TEST_F(BatchOutput, SubMastersAboveTheMaximumAreLoweredWithANote) {
    const CommandResult result =
        RunCommand(System({"--masters", "10", "--sub-masters", "9", "--format", "csv"}));
    ASSERT_EQ(result.status, ExitDone) << result.err;
    // The M.A.C.S leaves some change keys out; that is said too, with both numbers.
    EXPECT_EQ(result.err, "varnholt-report: note: 9 sub-masters asked for, 4 are available under each "
                          "master; the report has 4.\n"
                          "varnholt-report: note: Fewer change keys are listed than asked: 1577 of 2560. "
                          "Under 40 of the 40 sub-masters there are too few usable ones (983 left out with "
                          "'*').\n");
    EXPECT_NE(result.out.find("sub-master,AD,"), std::string::npos);
    EXPECT_EQ(result.out.find("sub-master,AE,"), std::string::npos);
}

TEST_F(BatchOutput, WritesTheNamedFileWholeAndNothingBeside) {
    const std::filesystem::path target = folder.Path() / "report.txt";
    const CommandResult result = RunCommand(System({"--format", "text", "--output", target.string()}));
    ASSERT_EQ(result.status, ExitDone) << result.err;
    EXPECT_TRUE(result.out.empty());
    const std::string text = ReadWholeFile(target);
    EXPECT_NE(text.find("BRANDT 6 Pin"), std::string::npos);
    EXPECT_NE(text.find('\f'), std::string::npos) << "pages are separated";
    EXPECT_EQ(folder.Files().size(), 2U);
}

TEST_F(BatchOutput, AFailedWriteKeepsTheOldFileAndLeavesNoPart) {
    const std::filesystem::path target = folder.Path() / "report.pdf";
    { std::ofstream(target) << "old"; }
    const CommandResult result = RunCommand(System({"--output", target.string()}));
    EXPECT_EQ(result.status, ExitFileFailure);
    EXPECT_EQ(result.err, "varnholt-report: no PDF in this test\n");
    EXPECT_EQ(ReadWholeFile(target), "old");
    EXPECT_EQ(folder.Files().size(), 2U);

    const CommandResult missingFolder =
        RunCommand(System({"--format", "json", "--output", (folder.Path() / "no" / "such.json").string()}));
    EXPECT_EQ(missingFolder.status, ExitFileFailure);
    EXPECT_EQ(missingFolder.err, "varnholt-report: Cannot create the file \"" +
                                     (folder.Path() / "no" / "such.json").string() +
                                     "\": No such file or directory.\n");
}

TEST_F(BatchOutput, NeverWritesOverTheManufacturerFile) {
    const std::string before = ReadWholeFile(database);
    const std::string sameFile = (folder.Path() / "." / "Varnholt.MFG").string();
    const CommandResult result = RunCommand(System({"--format", "text", "--output", sameFile}));
    EXPECT_EQ(result.status, ExitRefused);
    EXPECT_EQ(result.err, "varnholt-report: The report would replace the manufacturer file \"" + database +
                              "\"; name another file with --output.\n");
    EXPECT_EQ(ReadWholeFile(database), before);
    EXPECT_EQ(folder.Files().size(), 1U);
}

TEST_F(BatchOutput, APdfIsNotPouredOntoATerminal) {
    const CommandResult result = RunCommand(System({}), true);
    EXPECT_EQ(result.status, ExitRefused);
    EXPECT_TRUE(result.out.empty());
    EXPECT_NE(result.err.find("--output"), std::string::npos);
}

TEST_F(BatchOutput, AMissingDatabaseIsAFileFailure) {
    const CommandResult result =
        RunCommand({"--database", (folder.Path() / "none.MFG").string(), "--record", "1", "--chambers", "5",
                    "--master-key", "24613", "--format", "json"});
    EXPECT_EQ(result.status, ExitFileFailure);
    EXPECT_EQ(result.err, "varnholt-report: The manufacturer file \"" +
                              (folder.Path() / "none.MFG").string() +
                              "\" cannot be read: No such file or directory.\n");
}

TEST_F(BatchOutput, BadCommandLinesAreRefusedWithAPointerToTheHelp) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--database", database, "--chambers", "6", "--master-key", "246135"},
             System({"--format", "html"}),
             System({"--output", "a", "--printer", "b"}),
             System({"--frobnicate"}),
         }) {
        const CommandResult result = RunCommand(arguments);
        EXPECT_EQ(result.status, ExitRefused);
        EXPECT_EQ(result.err.rfind("varnholt-report: ", 0), 0U);
        EXPECT_NE(result.err.find("\nTry 'varnholt-report --help' for more information.\n"),
                  std::string::npos);
        EXPECT_TRUE(result.out.empty());
    }
    EXPECT_EQ(RunCommand(System({"--chambers", "8"})).status, ExitRefused) << "--chambers given twice";
    const CommandResult chambers =
        RunCommand({"--database", database, "--manufacturer", "BRANDT", "--chambers", "4", "--master-key",
                    "2461", "--format", "json"});
    EXPECT_EQ(chambers.err, "varnholt-report: \"BRANDT\" offers 5 to 7 chambers, not 4.\n");
}

TEST_F(BatchOutput, ARandomTopMasterKeyKeepsTheManufacturersRules) {
    const CommandResult result =
        RunCommand({"--database", database, "--manufacturer", "BRANDT", "--chambers", "7", "--master-key",
                    "random", "--format", "csv", "--keys", "1"});
    ASSERT_EQ(result.status, ExitDone) << result.err;
    ASSERT_EQ(result.err.rfind("varnholt-report: top master key drawn: ", 0), 0U);
    const std::string key = result.err.substr(39, 7);
    for (std::size_t i = 1; i < key.size(); ++i)
        EXPECT_LE(std::abs(key[i] - key[i - 1]), 7) << key;
    EXPECT_NE(result.out.find("top master,,," + key + ","), std::string::npos);
}

TEST_F(BatchOutput, DoorListGivesTheKeyingScheduleAndLostKeyListsAndABadLineWritesNothing) {
    const std::filesystem::path doors = folder.Path() / "doors.csv";
    std::ofstream(doors) << "Door,Keyed To,Location\n101,AA 1;AB 2,Store\n102,aa *,\"Wing, north\"\n";
    const std::vector<std::string> system = {"--masters", "2", "--sub-masters", "2", "--keys", "3",
                                             "--doors",   doors.string(), "--format", "csv"};
    std::vector<std::string> schedule = System(system);
    schedule.insert(schedule.end(), {"--report", "doors"});
    const CommandResult keying = RunCommand(schedule);
    ASSERT_EQ(keying.status, ExitDone) << keying.err;
    const std::vector<std::string> rows = Rows(keying.out);
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0], "Door,Location,Cylinders,Keyed To,Operated By,Pins,Opens,System Keys,Unintended Keys,Usable");
    EXPECT_EQ(rows[1].rfind("101,Store,1,AA 1; AB 2,GMK; A; AA; AB; AA 1; AB 2,", 0), 0U) << rows[1];
    EXPECT_EQ(rows[2].rfind("102,\"Wing, north\",1,AA *,GMK; A; AA; AA 1; AA 2; AA 3,", 0), 0U) << rows[2];

    std::vector<std::string> lost = System(system);
    lost.insert(lost.end(), {"--lost-key", "A"});
    const CommandResult lostKey = RunCommand(lost);
    ASSERT_EQ(lostKey.status, ExitDone) << lostKey.err;
    EXPECT_EQ(lostKey.out, "Door,Location,How\r\n101,Store,intended\r\n102,\"Wing, north\",intended\r\n");

    std::ofstream(doors) << "Door,Keyed To\n101,AA 1\n102,ZZ 1\n";
    const std::string output = (folder.Path() / "schedule.csv").string();
    schedule.insert(schedule.end(), {"--output", output});
    const CommandResult refused = RunCommand(schedule);
    EXPECT_EQ(refused.status, ExitRefused);
    EXPECT_NE(refused.err.find("line 3: door 102 is keyed to ZZ 1"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(BatchOutput, KeyingScheduleAndLostKeyListComeAsTextAndJsonAndAnUnknownLostKeyWritesNothing) {
    const std::filesystem::path doors = folder.Path() / "doors.csv";
    std::ofstream(doors) << "Door,Keyed To,Location\n101,AA 1;AB 2,Store\n102,aa *,\"Wing, north\"\n";
    const std::vector<std::string> system = {"--masters", "2", "--sub-masters", "2", "--keys", "3",
                                             "--doors",   doors.string()};
    std::vector<std::string> text = System(system);
    text.insert(text.end(), {"--report", "doors", "--format", "text", "--paper", "a4"});
    const CommandResult keying = RunCommand(text);
    ASSERT_EQ(keying.status, ExitDone) << keying.err;
    EXPECT_NE(keying.out.find("Keying Schematic"), std::string::npos);
    EXPECT_NE(keying.out.find("\n        AA *      102\n"), std::string::npos) << keying.out;
    EXPECT_NE(keying.out.find("\nDoor 101                   1 cylinder\n  Location:     Store\n"), std::string::npos)
        << keying.out;

    std::vector<std::string> json = System(system);
    json.insert(json.end(), {"--lost-key", "AA", "--format", "json"});
    const CommandResult lost = RunCommand(json);
    ASSERT_EQ(lost.status, ExitDone) << lost.err;
    EXPECT_NE(lost.out.find("\"name\": \"DoorLines\""), std::string::npos) << lost.out;
    EXPECT_NE(lost.out.find("Key AA opens 2 of the 2 doors"), std::string::npos) << lost.out;

    std::vector<std::string> unknown = System(system);
    const std::string output = (folder.Path() / "lost.txt").string();
    unknown.insert(unknown.end(), {"--lost-key", "ZZ 9", "--format", "text", "--output", output});
    const CommandResult refused = RunCommand(unknown);
    EXPECT_EQ(refused.status, ExitRefused);
    EXPECT_NE(refused.err.find("--lost-key \"ZZ 9\" names no key of this system"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(output));
}

// Doors travel with the saved system: a report from the file alone names them, a new list takes
// their place, and a file whose door names a key the system lacks is refused by that door.
TEST_F(BatchOutput, SavedSystemKeepsItsDoorsAndANewListReplacesThem) {
    const std::filesystem::path doors = folder.Path() / "doors.csv";
    std::ofstream(doors) << "Door,Keyed To,Location,Notes\n101,AA 1;AB 2,Store,\"two\nlines\"\n102,aa *,Wing\n";
    const std::string saved = (folder.Path() / "s.varnholt").string();
    const CommandResult save = RunCommand(System({"--masters", "2", "--sub-masters", "2", "--keys", "3", "--doors",
                                                  doors.string(), "--save-system", saved}));
    ASSERT_EQ(save.status, ExitDone) << save.err;
    const std::string file = ReadWholeFile(saved);
    EXPECT_NE(file.find("\"version\": 3,"), std::string::npos) << file;
    EXPECT_NE(file.find("\"keyedTo\": [\"AA 1\", \"AB 2\"]"), std::string::npos) << file;

    const auto keying = [&](std::vector<std::string> more) {
        std::vector<std::string> arguments{"--system", saved, "--format", "csv", "--report", "doors"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunCommand(arguments);
    };
    const CommandResult fromFile = keying({});
    ASSERT_EQ(fromFile.status, ExitDone) << fromFile.err;
    std::vector<std::string> rows = Rows(fromFile.out);
    ASSERT_EQ(rows.size(), 3U) << fromFile.out;
    EXPECT_EQ(rows[1].rfind("101,Store,1,AA 1; AB 2,", 0), 0U) << rows[1];
    EXPECT_EQ(rows[2].rfind("102,Wing,1,AA *,", 0), 0U) << rows[2];

    // A new list replaces the saved doors in the report and in the system saved again.
    std::ofstream(doors) << "Door,Keyed To\nA1,AB 3\n";
    const std::string resaved = (folder.Path() / "t.varnholt").string();
    const CommandResult replaced = RunCommand(
        {"--system", saved, "--doors", doors.string(), "--save-system", resaved});
    ASSERT_EQ(replaced.status, ExitDone) << replaced.err;
    rows = Rows(keying({}).out);
    EXPECT_EQ(rows.size(), 3U) << "the file named with --system is left as it was";
    const CommandResult fromResaved = RunCommand({"--system", resaved, "--format", "csv", "--lost-key", "AB"});
    ASSERT_EQ(fromResaved.status, ExitDone) << fromResaved.err;
    EXPECT_EQ(fromResaved.out, "Door,Location,How\r\nA1,,intended\r\n");

    // Edited by hand to a key the system does not have: refused, naming the door.
    std::string edited = ReadWholeFile(resaved);
    edited.replace(edited.find("\"AB 3\""), 6, "\"AB 9\"");
    std::ofstream(resaved, std::ios::trunc) << edited;
    const CommandResult unknown = RunCommand({"--system", resaved, "--format", "csv"});
    EXPECT_EQ(unknown.status, ExitRefused);
    EXPECT_NE(unknown.err.find("cannot be opened: its door A1 does not fit the system: it is keyed to AB 9, a "
                               "key this system does not list."),
              std::string::npos)
        << unknown.err;
    // Keyed to another key it has: the fingerprint tells.
    edited.replace(edited.find("\"AB 9\""), 6, "\"AB 2\"");
    std::ofstream(resaved, std::ios::trunc) << edited;
    const CommandResult other = RunCommand({"--system", resaved, "--format", "csv"});
    EXPECT_EQ(other.status, ExitRefused);
    EXPECT_NE(other.err.find("the keys, pins and doors this version of the program makes of it differ"),
              std::string::npos)
        << other.err;

    // Without doors in the file, the keying schedule asks for a list.
    const std::string plain = (folder.Path() / "plain.varnholt").string();
    ASSERT_EQ(RunCommand(System({"--keys", "3", "--save-system", plain})).status, ExitDone);
    const CommandResult none = RunCommand({"--system", plain, "--format", "csv", "--report", "doors"});
    EXPECT_EQ(none.status, ExitRefused);
    EXPECT_NE(none.err.find("holds no doors; give the door list with --doors FILE.csv."), std::string::npos)
        << none.err;
}

// A file of version 2 (before doors) opens as before, and gives the fingerprint it always had.
TEST_F(BatchOutput, SystemFileOfVersionTwoOpensAsASystemWithoutDoors) {
    const std::string saved = (folder.Path() / "s.varnholt").string();
    ASSERT_EQ(RunCommand(System({"--masters", "1", "--keys", "3", "--save-system", saved})).status, ExitDone);
    std::string text = ReadWholeFile(saved);
    const CommandResult current = RunCommand({"--system", saved, "--format", "csv"});
    text.replace(text.find("\"version\": 3"), 12, "\"version\": 2");
    text.erase(text.find(",\n  \"doors\": []"), 15);
    std::ofstream(saved, std::ios::trunc) << text;
    const CommandResult old = RunCommand({"--system", saved, "--format", "csv"});
    ASSERT_EQ(old.status, ExitDone) << old.err << text;
    EXPECT_EQ(old.out, current.out);
    text.replace(text.find("\"job\": {"), 8, "\"doors\": [], \"job\": {");
    std::ofstream(saved, std::ios::trunc) << text;
    const CommandResult doorsInOld = RunCommand({"--system", saved, "--format", "csv"});
    EXPECT_EQ(doorsInOld.status, ExitRefused);
    EXPECT_NE(doorsInOld.err.find("it has an unknown field \"doors\""), std::string::npos) << doorsInOld.err;
}

} // namespace
} // namespace varnholt::tools::testing

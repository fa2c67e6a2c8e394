#include "BatchTestSupport.h"

#include "files/Utf8Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>

namespace varnholt::tools::testing {
namespace {

class SavedSystem : public ::testing::Test {
protected:
    SavedSystem() { WriteDatabase(database, SampleManufacturers()); }

    std::string In(const std::string& name) const { return (folder.Path() / name).string(); }

    // The definition of one system of the spread: every chamber count a manufacturer offers,
    // with masters, sub-masters where the chambers leave room, and a random top master key
    // except for the core, whose control key must fit its master.
    std::vector<std::string> Definition(const manufacturers::ManufacturerRecord& record, int chambers,
                                        const std::string& from = {}) const {
        std::vector<std::string> arguments{"--database",     from.empty() ? database : from,
                                           "--manufacturer", record.Name,
                                           "--chambers",     std::to_string(chambers),
                                           "--keys",         record.StepIncrement >= 3 ? "all" : "3"};
        if (record.IsICore) {
            const std::string master = std::string("2461357").substr(0, static_cast<std::size_t>(chambers));
            const std::string control = std::string("3633557").substr(0, static_cast<std::size_t>(chambers));
            arguments.insert(arguments.end(), {"--master-key", master, "--control-key", control});
        } else {
            arguments.insert(arguments.end(), {"--master-key", "random"});
        }
        if (chambers >= 4)
            arguments.insert(arguments.end(), {"--masters", "1"});
        if (chambers >= 6)
            arguments.insert(arguments.end(), {"--sub-masters", "1"});
        return arguments;
    }

    static std::vector<std::string> With(std::vector<std::string> arguments,
                                         std::initializer_list<std::string> more) {
        arguments.insert(arguments.end(), more);
        return arguments;
    }

    ScratchFolder folder;
    std::string database = In("Varnholt.MFG");
};

// The records of a manufacturer file, in file order.
std::vector<manufacturers::ManufacturerRecord> RecordsOf(const std::string& file) {
    const std::string bytes = ReadWholeFile(file);
    std::vector<manufacturers::ManufacturerRecord> records;
    for (std::size_t at = 0; at + manufacturers::RecordSize <= bytes.size();
         at += manufacturers::RecordSize) {
        manufacturers::RecordBytes record{};
        std::transform(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes.begin() + static_cast<std::ptrdiff_t>(at + manufacturers::RecordSize),
                       record.begin(), [](char byte) { return static_cast<std::uint8_t>(byte); });
        records.push_back(manufacturers::ManufacturerRecord::Decode(record));
    }
    return records;
}

TEST_F(SavedSystem, ReopenedGivesTheSameReportsForEverySampleManufacturerAndChamberCount) {
    int systems = 0;
    std::vector<std::pair<manufacturers::ManufacturerRecord, std::string>> manufacturers;
    for (const manufacturers::ManufacturerRecord& record : SampleManufacturers())
        manufacturers.emplace_back(record, database);
    for (const manufacturers::ManufacturerRecord& record : RecordsOf(VARNHOLT_SAMPLE_DATABASE))
        manufacturers.emplace_back(record, VARNHOLT_SAMPLE_DATABASE);
    for (const auto& [record, file] : manufacturers) {
        for (int chambers = record.MinChambers; chambers <= record.MaxChambers(); ++chambers) {
            SCOPED_TRACE(record.Name + " " + std::to_string(chambers));
            const CommandResult saved = RunCommand(
                With(Definition(record, chambers, file),
                     {"--save-system", In("s.varnholt"), "--format", "json", "--output", In("first.json")}));
            ASSERT_EQ(saved.status, ExitDone) << saved.err;
            const CommandResult json =
                RunCommand({"--system", In("s.varnholt"), "--format", "json", "--output", In("again.json")});
            ASSERT_EQ(json.status, ExitDone) << json.err;
            EXPECT_EQ(ReadWholeFile(In("again.json")), ReadWholeFile(In("first.json")));
            ++systems;
        }
    }
    EXPECT_EQ(systems, 21 + 17);

    // Text too, and the report of --save-system without --output is not written at all.
    const CommandResult onlySaved = RunCommand(With(Definition(SampleManufacturers()[0], 6),
                                                    {"--save-system", In("t.varnholt"), "--format", "text"}));
    ASSERT_EQ(onlySaved.status, ExitDone) << onlySaved.err;
    EXPECT_EQ(onlySaved.out, "");
    std::smatch found;
    ASSERT_TRUE(std::regex_search(onlySaved.err, found, std::regex("[0-9]{6}"))) << onlySaved.err;
    const std::string drawn = found.str();
    EXPECT_NE(ReadWholeFile(In("t.varnholt")).find("\"topMasterKey\": \"" + drawn + "\""), std::string::npos)
        << "the random master as drawn: " << onlySaved.err;
    const CommandResult text = RunCommand({"--system", In("t.varnholt"), "--format", "text"});
    ASSERT_EQ(text.status, ExitDone) << text.err;
    std::vector<std::string> typed = With(Definition(SampleManufacturers()[0], 6), {"--format", "text"});
    *std::find(typed.begin(), typed.end(), "random") = drawn;
    const CommandResult direct = RunCommand(typed);
    EXPECT_EQ(text.out, direct.out);
}

TEST_F(SavedSystem, JobDetailsArePrintedSavedAndReplacedFromTheCommandLine) {
    const CommandResult saved = RunCommand(
        With(Definition(SampleManufacturers()[0], 5),
             {"--save-system", In("job.varnholt"), "--customer", "Müller & Söhne", "--job", "2026/114",
              "--notes", "Wing B\nCaretaker", "--format", "text", "--output", In("job.txt")}));
    ASSERT_EQ(saved.status, ExitDone) << saved.err;
    const std::string report = ReadWholeFile(In("job.txt"));
    EXPECT_NE(report.find("Customer: Müller & Söhne"), std::string::npos) << report;
    EXPECT_NE(report.find("Job No. 2026/114"), std::string::npos) << "in the page header";
    EXPECT_NE(report.find("          Caretaker"), std::string::npos);

    const CommandResult reopened = RunCommand({"--system", In("job.varnholt"), "--format", "text"});
    EXPECT_EQ(reopened.out, report);
    const CommandResult renumbered =
        RunCommand({"--system", In("job.varnholt"), "--job", "2027/1", "--format", "text"});
    EXPECT_EQ(renumbered.out.find("2026/114"), std::string::npos);
    EXPECT_NE(renumbered.out.find("Customer: Müller & Söhne"), std::string::npos);
}

// Names on the command line are UTF-8 whatever the system's own code page: the database, the
// saved system, the door list and the report in a folder of the user's name are all found.
TEST_F(SavedSystem, FilesInAFolderBeyondAsciiAreReadWrittenAndNamedAsGiven) {
    const std::filesystem::path profile = folder.Path() / files::PathFromUtf8("M\xc3\xbcller");
    std::filesystem::create_directories(profile);
    const std::string in = files::Utf8Of(profile);
    std::filesystem::copy_file(database, profile / "Varnholt.MFG");
    std::ofstream(profile / files::PathFromUtf8("T\xc3\xbcren.csv")) << "Door,Keyed To\n1,A 1\n";

    const CommandResult saved = RunCommand(With(Definition(SampleManufacturers()[0], 5, in + "/Varnholt.MFG"),
                                                {"--save-system", in + "/Schl\xc3\xbcssel.varnholt", "--format",
                                                 "text", "--output", in + "/Bericht \xc3\xa4.txt"}));
    ASSERT_EQ(saved.status, ExitDone) << saved.err;
    const CommandResult reopened = RunCommand({"--system", in + "/Schl\xc3\xbcssel.varnholt", "--format", "text"});
    EXPECT_EQ(reopened.out, ReadWholeFile(profile / files::PathFromUtf8("Bericht \xc3\xa4.txt")));
    const CommandResult doors = RunCommand({"--system", in + "/Schl\xc3\xbcssel.varnholt", "--doors",
                                            in + "/T\xc3\xbcren.csv", "--report", "doors", "--format", "csv"});
    EXPECT_EQ(doors.status, ExitDone) << doors.err;

    const CommandResult missing = RunCommand({"--system", in + "/Fehlt.varnholt"});
    EXPECT_NE(missing.err.find("\"" + in + "/Fehlt.varnholt\""), std::string::npos) << missing.err;
}

// Each refusal says what is wrong with which file, ends with status 2 and writes nothing.
TEST_F(SavedSystem, RefusesDamagedForeignNewerImpossibleAndChangedFilesWritingNothing) {
    ASSERT_EQ(
        RunCommand(With(Definition(SampleManufacturers()[1], 5), {"--save-system", In("good.varnholt")}))
            .status,
        ExitDone);
    const std::string good = ReadWholeFile(In("good.varnholt"));
    const auto refusal = [&](const std::string& text) {
        std::ofstream(In("bad.varnholt"), std::ios::binary | std::ios::trunc) << text;
        const CommandResult result =
            RunCommand({"--system", In("bad.varnholt"), "--format", "json", "--output", In("out.json"),
                        "--save-system", In("copy.varnholt")});
        EXPECT_EQ(result.status, ExitRefused);
        EXPECT_FALSE(std::filesystem::exists(In("out.json")));
        EXPECT_FALSE(std::filesystem::exists(In("copy.varnholt")));
        const std::string prefix =
            "varnholt-report: The system file \"" + In("bad.varnholt") + "\" cannot be opened: ";
        return result.err.rfind(prefix, 0) == 0 ? result.err.substr(prefix.size()) : result.err;
    };
    const auto replaced = [&](const std::string& what, const std::string& with) {
        std::string text = good;
        const auto at = text.find(what);
        EXPECT_NE(at, std::string::npos) << what;
        return text.replace(at, what.size(), with);
    };
    EXPECT_EQ(refusal(good.substr(0, good.size() / 2)).rfind("it is cut short", 0), 0U);
    EXPECT_EQ(refusal(replaced("\"answers\": {", "\"answers\": {,")),
              "it is not valid JSON: line 19, column 15: a member name in quotes expected.\n");
    EXPECT_EQ(
        refusal(replaced("\"version\": 3", "\"version\": 7")),
        "it was saved by a newer version of this program (system file version 7; this version reads version "
        "3). Open it with the newer version.\n");
    EXPECT_EQ(refusal(replaced("varnholt-system", "other-program")),
              "it is not a saved key system (its format is not \"varnholt-system\").\n");
    EXPECT_EQ(
        refusal(replaced("\"stepIncrement\": 1", "\"stepIncrement\": 5")),
        "its manufacturer values are impossible: Step Increment: 5 The Step increment must be between 1 and "
        "4.\n");
    EXPECT_EQ(
        refusal(replaced("\"chambers\": 5", "\"chambers\": 2")).rfind("the \"Data Input\" dialog refuses", 0),
        0U);
    const auto fingerprint = good.find("\"keysAndPinsSha256\": \"") + 22;
    std::string changed = good;
    changed[fingerprint] = changed[fingerprint] == '0' ? '1' : '0';
    EXPECT_EQ(
        refusal(changed),
        "the keys and pins this version of the program makes of it differ from those saved in it, so the "
        "system is not shown. Either the file was changed after it was saved, or it was saved by a version "
        "that computes differently.\n");

    const CommandResult combined = RunCommand({"--system", In("good.varnholt"), "--chambers", "5"});
    EXPECT_EQ(combined.status, ExitRefused);
    EXPECT_EQ(
        combined.err.rfind("varnholt-report: option '--system' reads the whole system from its file and "
                           "cannot be combined with '--chambers'\n",
                           0),
        0U);
    const CommandResult missing = RunCommand({"--system", In("none.varnholt")});
    EXPECT_EQ(missing.status, ExitFileFailure);
}

} // namespace
} // namespace varnholt::tools::testing

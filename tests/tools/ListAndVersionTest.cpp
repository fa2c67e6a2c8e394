#include "BatchTestSupport.h"
#include "Diagnostics.h"

#include <gtest/gtest.h>

#include <fstream>

namespace varnholt::tools::testing {
namespace {

class ListAndVersion : public ::testing::Test {
protected:
    ListAndVersion() {
        database = (folder.Path() / "Varnholt.MFG").string();
        WriteDatabase(database, SampleManufacturers());
    }
    ScratchFolder folder;
    std::string database;
};

TEST_F(ListAndVersion, ListsEveryManufacturerAsTextOrJson) {
    const CommandResult text = RunCommand({"--database", database, "--list"});
    ASSERT_EQ(text.status, ExitDone) << text.err;
    EXPECT_EQ(text.out.substr(0, text.out.find('\n')),
              "Record  Name      Chambers  Depths  Step  M.A.C.S  Core");
    EXPECT_NE(text.out.find("\n     2  KESSLER   3-7       0-9     1     none     -\n"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("\n     7  CORELINE  6-7       0-9     1     7        factor 6, stack 23, "
                            "control chambers YNYNYNN\n"),
              std::string::npos)
        << text.out;

    const CommandResult json = RunCommand({"--database", database, "--list", "--format", "json"});
    ASSERT_EQ(json.status, ExitDone) << json.err;
    EXPECT_EQ(json.out.rfind(
                  "{\"manufacturers\": [\n{\"record\": 1, \"name\": \"BRANDT\", \"minChambers\": 5, "
                  "\"maxChambers\": 7, \"shallowestCut\": 0, \"deepestCut\": 9, \"step\": 2, \"macs\": 7, "
                  "\"interchangeableCore\": false, ",
                  0),
              0U)
        << json.out;
    EXPECT_NE(
        json.out.find("\"name\": \"CORELINE\", \"minChambers\": 6, \"maxChambers\": 7, \"shallowestCut\": 0, "
                      "\"deepestCut\": 9, \"step\": 1, \"macs\": 7, \"interchangeableCore\": true, "
                      "\"controlFactor\": 6, \"stackTotal\": 23, \"controlChambers\": \"YNYNYNN\", \"damage\": null}\n]}\n"),
        std::string::npos);

    const CommandResult csv = RunCommand({"--database", database, "--list", "--format", "csv"});
    EXPECT_EQ(csv.status, ExitRefused);
    EXPECT_EQ(csv.err, "varnholt-report: the list is written as text or json, not 'csv'\n"
                       "Try 'varnholt-report --help' for more information.\n");
}

// A damaged record is listed with the reason choosing it gives, and values far out of range
// print as they are.
TEST_F(ListAndVersion, MarksDamagedRecordsWithTheReasonTheirChoiceGives) {
    std::vector<manufacturers::ManufacturerRecord> records = SampleManufacturers();
    records.push_back(Manufacturer("HUGE", 5, 7, 0, 9, 2, 7));
    records.back().MinChambers = 2147483647;
    records.back().ChamberChoices = 2;
    records.push_back(Manufacturer("DEEP", 5, 7, 0, 42, 2, 7));
    WriteDatabase(database, records);
    {
        manufacturers::RecordBytes layout = Manufacturer("LONG NAME", 5, 7, 0, 9, 2, 7).Encode();
        layout[0] = 200; // a name longer than a record holds
        std::ofstream(database, std::ios::binary | std::ios::app)
            .write(reinterpret_cast<const char*>(layout.data()), static_cast<std::streamsize>(layout.size()));
    }
    const CommandResult text = RunCommand({"--database", database, "--list"});
    ASSERT_EQ(text.status, ExitDone) << text.err;
    EXPECT_NE(text.out.find("  2147483647-2147483648  0-9 "), std::string::npos) << text.out;
    const std::size_t first = SampleManufacturers().size() + 1;
    for (std::size_t number = 1; number <= first + 2; ++number) {
        const std::string row = "\n" + std::string(number < 10 ? 5 : 4, ' ') + std::to_string(number) + "  ";
        const auto at = text.out.find(row);
        ASSERT_NE(at, std::string::npos) << number;
        const std::string line = text.out.substr(at + 1, text.out.find('\n', at + 1) - at - 1);
        const auto marked = line.find("  DAMAGED: ");
        const CommandResult chosen =
            RunCommand({"--database", database, "--record", std::to_string(number), "--chambers", "5",
                        "--master-key", "24681"});
        if (number < first) {
            EXPECT_EQ(marked, std::string::npos) << line;
            continue;
        }
        ASSERT_NE(marked, std::string::npos) << line;
        EXPECT_EQ(chosen.status, ExitRefused);
        const auto reason = chosen.err.find("is damaged: ");
        ASSERT_NE(reason, std::string::npos) << chosen.err;
        EXPECT_EQ(line.substr(marked + 11) + "\n", chosen.err.substr(reason + 12)) << number;
    }
    const CommandResult json = RunCommand({"--database", database, "--list", "--format", "json"});
    EXPECT_NE(json.out.find("\"name\": \"HUGE\", \"minChambers\": 2147483647, \"maxChambers\": 2147483648,"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"deepestCut\": 42, "), std::string::npos);
    EXPECT_LT(json.out.find("\"damage\": null},\n"), json.out.find("{\"record\": 2, ")) << "sound records too";
    EXPECT_NE(json.out.find("\"damage\": \"Deepest Cut: 42 The Deepest cut must be between 5 and 10.\"}"),
              std::string::npos)
        << json.out;
}

TEST_F(ListAndVersion, VersionAndMessagesFollowTheGnuConventions) {
    const CommandResult version = RunCommand({"--version"});
    EXPECT_EQ(version.status, ExitDone);
    EXPECT_EQ(version.out.rfind("varnholt-report (Varnholt Lite) ", 0), 0U);
    EXPECT_NE(version.out.find("\nQt "), std::string::npos);
    // A dialog's message of two lines is one line on standard error, after the program's name.
    EXPECT_EQ(DiagnosticLine("The Control Key can not be the\nsame as the Master Key."),
              "varnholt-report: The Control Key can not be the same as the Master Key.\n");
}

} // namespace
} // namespace varnholt::tools::testing

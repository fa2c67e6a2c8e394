#include "BatchTestSupport.h"
#include "Diagnostics.h"

#include <gtest/gtest.h>

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
                      "\"controlFactor\": 6, \"stackTotal\": 23, \"controlChambers\": \"YNYNYNN\"}\n]}\n"),
        std::string::npos);

    const CommandResult csv = RunCommand({"--database", database, "--list", "--format", "csv"});
    EXPECT_EQ(csv.status, ExitRefused);
    EXPECT_EQ(csv.err, "varnholt-report: the list is written as text or json, not 'csv'\n"
                       "Try 'varnholt-report --help' for more information.\n");
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

#include "BatchTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace varnholt::tools::testing {
namespace {

struct GoldenSystem {
    std::string name;
    std::vector<std::string> arguments;
};

void PrintTo(const GoldenSystem& system, std::ostream* stream) {
    *stream << system.name;
}

// Whole reports for systems chosen to cover every level, depth range, step and chamber count.
const std::vector<GoldenSystem>& GoldenSystems() {
    static const std::vector<GoldenSystem> systems = {
        {"brandt5-no-masters", {"--manufacturer", "BRANDT", "--chambers", "5", "--master-key", "24613"}},
        {"brandt6-30-masters",
         {"--manufacturer", "BRANDT", "--chambers", "6", "--master-key", "246135", "--masters", "30",
          "--keys", "3"}},
        {"kessler7-23-masters-30-sub-masters",
         {"--manufacturer", "KESSLER", "--chambers", "7", "--master-key", "2461357", "--masters", "23",
          "--sub-masters", "30", "--keys", "1"}},
        {"orlov4-depths-1-to-10",
         {"--manufacturer", "ORLOV", "--chambers", "4", "--master-key", "9085", "--masters", "3", "--keys",
          "12"}},
        {"tanner5-step-3",
         {"--manufacturer", "TANNER", "--chambers", "5", "--master-key", "25852", "--masters", "2",
          "--sub-masters", "all"}},
        {"weiss6-step-4", {"--manufacturer", "WEISS", "--chambers", "6", "--master-key", "258147"}},
        {"kessler3-three-chambers", {"--manufacturer", "KESSLER", "--chambers", "3", "--master-key", "469"}},
        {"coreline6-interchangeable-core",
         {"--manufacturer", "CORELINE", "--chambers", "6", "--master-key", "246135", "--control-key",
          "357246", "--masters", "2", "--keys", "10"}},
    };
    return systems;
}

class GoldenReport : public ::testing::TestWithParam<GoldenSystem> {};

TEST_P(GoldenReport, JsonEqualsTheCheckedReport) {
    ScratchFolder folder;
    const std::filesystem::path database = folder.Path() / "Varnholt.MFG";
    WriteDatabase(database, SampleManufacturers());
    std::vector<std::string> arguments = {"--database", database.string(), "--format", "json"};
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    const CommandResult result = RunCommand(arguments);
    ASSERT_EQ(result.status, ExitDone) << result.err;

    const std::filesystem::path golden =
        std::filesystem::path(VARNHOLT_GOLDEN_DIR) / (GetParam().name + ".json");
    if (std::getenv("VARNHOLT_UPDATE_GOLDEN") != nullptr) {
        std::filesystem::create_directories(golden.parent_path());
        std::ofstream(golden, std::ios::binary) << result.out;
    }
    EXPECT_TRUE(result.out == ReadWholeFile(golden)) << "the report differs from " << golden;
}

INSTANTIATE_TEST_SUITE_P(Systems, GoldenReport, ::testing::ValuesIn(GoldenSystems()),
                         [](const ::testing::TestParamInfo<GoldenSystem>& system) {
                             std::string name;
                             for (char c : system.param.name)
                                 name += (c == '-') ? '_' : c;
                             return name;
                         });

} // namespace
} // namespace varnholt::tools::testing

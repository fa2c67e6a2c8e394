#include "BatchTestSupport.h"

#include "Diagnostics.h"
#include "definition/DefinitionMessages.h"
#include "manufacturers/ManufacturerMessages.h"

#include <gtest/gtest.h>

#include <fstream>

namespace varnholt::tools::testing {
namespace {

class BatchRefusal : public ::testing::Test {
protected:
    BatchRefusal() {
        database = (folder.Path() / "Varnholt.MFG").string();
        WriteDatabase(database, SampleManufacturers());
    }

    CommandResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--database", database, "--format", "json", "--output",
                                             (folder.Path() / "report.json").string()});
        return RunCommand(arguments);
    }

    // A refusal tells the user why, ends with status 2 and leaves nothing behind.
    void ExpectRefused(const CommandResult& result, const std::string& message) {
        EXPECT_EQ(result.status, ExitRefused);
        EXPECT_EQ(result.err, DiagnosticLine(message));
        EXPECT_EQ(folder.Files(), std::vector<std::filesystem::path>{"Varnholt.MFG"});
    }

    ScratchFolder folder;
    std::string database;
};

TEST_F(BatchRefusal, RefusesKeysTheDialogRefusesWithItsMessages) {
    ExpectRefused(Run({"--manufacturer", "HOLM", "--chambers", "5", "--master-key", "12385"}),
                  "The --master-key \"12385\" is refused:\n" + definition::DepthRangeMessage(1, 7));
    ExpectRefused(Run({"--manufacturer", "BRANDT", "--chambers", "6", "--master-key", "219135"}),
                  std::string("The --master-key \"219135\" is refused:\n") + definition::AdjacentCutsMessage);
    ExpectRefused(Run({"--manufacturer", "CORELINE", "--chambers", "6", "--master-key", "246135",
                       "--control-key", "246135"}),
                  std::string("The --control-key \"246135\" is refused:\n") + definition::SameKeyMessage);
    // CORELINE's control chambers are 1, 3 and 5; this control key differs in chamber 2 only.
    ExpectRefused(Run({"--manufacturer", "CORELINE", "--chambers", "6", "--master-key", "246135",
                       "--control-key", "256135"}),
                  std::string("The --control-key \"256135\" is refused:\n") +
                      definition::ControlChamberMessage);
}

TEST_F(BatchRefusal, RefusesAControlKeyUnderWhichTheTopMasterCannotBePinned) {
    std::filesystem::copy_file(VARNHOLT_SAMPLE_DATABASE, database, std::filesystem::copy_options::overwrite_existing);
    ExpectRefused(Run({"--manufacturer", "Sample IC core 7-pin", "--chambers", "7", "--master-key", "2468642",
                       "--control-key", "1357531", "--keys", "all"}),
                  "The --control-key \"1357531\" is refused:\nThe Control Key leaves chambers 2, 4 and 6 "
                  "impossible to pin:\na pin would be thinner than one step.");
}

TEST_F(BatchRefusal, RefusesQuantitiesBeyondCapacity) {
    ExpectRefused(
        Run({"--manufacturer", "BRANDT", "--chambers", "6", "--master-key", "246135", "--masters", "65"}),
        definition::AboveAvailableMessage);
    ExpectRefused(
        Run({"--manufacturer", "BRANDT", "--chambers", "6", "--master-key", "246135", "--keys", "4097"}),
        definition::TooManyKeysMessage);
    ExpectRefused(
        Run({"--manufacturer", "BRANDT", "--chambers", "6", "--master-key", "246135", "--sub-masters", "3"}),
        definition::NoMastersMessage);
    ExpectRefused(
        Run({"--manufacturer", "BRANDT", "--chambers", "6", "--master-key", "246135", "--masters", "x"}),
        "--masters takes a whole number or \"all\", not \"x\".");
    ExpectRefused(
        Run({"--manufacturer", "BRANDT", "--chambers", "6", "--master-key", "246135", "--keys", "-1"}),
        "--keys takes a whole number or \"all\", not \"-1\".");
}

TEST_F(BatchRefusal, RefusesAnUnknownManufacturerAndADamagedFile) {
    ExpectRefused(Run({"--manufacturer", "NOBODY", "--chambers", "6", "--master-key", "246135"}),
                  "There is no manufacturer \"NOBODY\" in the manufacturer file.");

    manufacturers::RecordBytes damaged = Manufacturer("BROKEN", 5, 7, 0, 9, 2, 7).Encode();
    damaged[0] = 60; // a name longer than its 40 characters
    {
        std::ofstream stream(database, std::ios::binary | std::ios::app);
        stream.write(reinterpret_cast<const char*>(damaged.data()),
                     static_cast<std::streamsize>(damaged.size()));
    }
    ExpectRefused(Run({"--record", "8", "--chambers", "6", "--master-key", "246135"}),
                  "The Manufacturer \"" + manufacturers::ManufacturerRecord::Decode(damaged).Name +
                      "\" (record 8 of the file) is damaged:\nThe name is 60 characters long, more than 40.");

    // Saved by an older version: depths 1..5 with step 4 would give a system without change keys.
    WriteDatabase(database, {Manufacturer("NARROW", 4, 6, 1, 5, 4, 0)});
    ExpectRefused(
        Run({"--record", "1", "--chambers", "5", "--master-key", "15151"}),
        "The Manufacturer \"NARROW\" (record 1 of the file) is damaged:\nStep Increment: 4\n"
        "The Step increment leaves no alternative depth\nbetween the Shallowest and the Deepest cut.");
    // Depths 0 to 10, where "0" is written for 10: depth 0 could never be printed.
    WriteDatabase(database, {Manufacturer("ZEROTEN", 4, 6, 0, 10, 1, 6)});
    ExpectRefused(
        Run({"--record", "1", "--chambers", "5", "--master-key", "12345"}),
        std::string("The Manufacturer \"ZEROTEN\" (record 1 of the file) is damaged:\nShallowest Cut: 0\n") +
            manufacturers::messages::ZeroAndTen);
}

TEST_F(BatchRefusal, ControlCharactersInNamesAreShownEscaped) {
    WriteDatabase(database, {Manufacturer("RED\x1b[31m\tLOCKS", 5, 7, 0, 9, 2, 7)});
    const CommandResult result = Run({"--record", "1", "--chambers", "9", "--master-key", "246135"});
    EXPECT_EQ(result.status, ExitRefused);
    EXPECT_EQ(result.err, "varnholt-report: \"RED\\x1b[31m\\tLOCKS\" offers 5 to 7 chambers, not 9.\n");
}

} // namespace
} // namespace varnholt::tools::testing

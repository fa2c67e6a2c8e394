// The batch command fed ten thousand argument sets, drawn from a fixed seed: good options and
// values mixed with garbage (unknown options, missing values, huge numbers, bad bittings, wrong
// formats, missing or damaged databases). Whatever it is given, it must end with 0 and its output,
// or with 1 or 2, a message and no output, and never leave a partial or stray file behind.

#include "BatchTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace varnholt::tools::testing {
namespace {

#ifdef _WIN32
// Under Wine every file call is a round trip to its server and a set takes some twenty times as
// long as on Linux: there a fifth of the sets still meets every outcome the checks below count,
// and Linux runs them all.
constexpr int ArgumentSets = 2000;
#else
constexpr int ArgumentSets = 10000;
#endif
constexpr std::uint32_t Seed = 20261209;
// Where the output of a run may go; a run starts with none of them there.
constexpr std::initializer_list<const char*> OutputNames = {"report.out", "schedule.csv", "report.json"};

// The manufacturers of the test database, with the depths a key may take. The systems are
// small (two alternatives per chamber) so that ten thousand reports stay quick.
struct KnownManufacturer {
    manufacturers::ManufacturerRecord record;
    char lowestDigit;
    char highestDigit;
};

std::vector<KnownManufacturer> KnownManufacturers() {
    return {
        {Manufacturer("NARROW", 3, 5, 0, 5, 2, 0), '0', '5'},
        {Manufacturer("STEPPED", 4, 6, 1, 10, 3, 5), '1', '9'},
        {Manufacturer("MÜLLER", 3, 4, 1, 7, 3, 4), '1', '7'},
        {InterchangeableCore("CORE", 5, 6, 0, 9, 3, 7, "YNYNYNN", 6, 23), '0', '9'},
    };
}

// Draws the arguments. std::mt19937 gives the same numbers everywhere; the distributions of
// the standard library do not, so the drawing reduces the numbers itself.
class ArgumentDrawer {
public:
    ArgumentDrawer(const std::filesystem::path& scratchFolder, std::vector<KnownManufacturer> manufacturers)
        : folder(scratchFolder), known(std::move(manufacturers)) {}

    std::vector<std::string> Draw() {
        outputFile.reset();
        std::vector<std::vector<std::string>> options;
        const KnownManufacturer& chosen = known[Below(known.size())];
        const int chambers = chosen.record.MinChambers +
                             static_cast<int>(Below(static_cast<std::size_t>(chosen.record.ChamberChoices)));
        if (Chance(97))
            options.push_back({"--database", Database()});
        if (Chance(97))
            options.push_back(Chance(60)
                                  ? std::vector<std::string>{"--manufacturer", ManufacturerName(chosen)}
                                  : std::vector<std::string>{"--record", RecordNumber(chosen)});
        if (Chance(97))
            options.push_back({"--chambers", Chance(85) ? std::to_string(chambers) : Garbage()});
        if (Chance(97))
            options.push_back({"--master-key", MasterKey(chosen, chambers)});
        if (chosen.record.IsICore ? Chance(90) : Chance(5))
            options.push_back({"--control-key", Chance(85) ? Bitting(chosen, chambers) : Garbage()});
        for (const char* quantity : {"--masters", "--sub-masters", "--keys"})
            if (Chance(50))
                options.push_back({quantity, Quantity()});
        if (Chance(90))
            options.push_back({"--format", Format()});
        if (Chance(70))
            options.push_back({"--output", Output()});
        if (Chance(2))
            options.push_back({"--printer", "queue"});
        while (Chance(5))
            options.push_back(Nonsense());

        Shuffle(options);
        std::vector<std::string> arguments;
        for (const auto& option : options) {
            if (option.size() == 2 && Chance(10))
                arguments.push_back(option[0] + "=" + option[1]);
            else
                arguments.insert(arguments.end(), option.begin(), option.end());
        }
        if (Chance(3) && !arguments.empty())
            arguments.pop_back(); // an option left without its value
        return arguments;
    }

    // The file the output option named in the last set, if it lies in the test folder.
    const std::optional<std::filesystem::path>& OutputFile() const { return outputFile; }

private:
    std::size_t Below(std::size_t count) { return count == 0 ? 0 : engine() % count; }
    bool Chance(unsigned percent) { return engine() % 100 < percent; }

    template <typename T> void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[Below(i)]);
    }

    std::string OneOf(std::initializer_list<const char*> texts) {
        return *(texts.begin() + static_cast<std::ptrdiff_t>(Below(texts.size())));
    }

    std::string Garbage() {
        switch (Below(10)) {
        case 0:
            return "";
        case 1:
            return "99999999999999999999999";
        case 2:
            return "-1";
        case 3:
            return "4.0";
        case 4:
            return " 5";
        case 5:
            return "0x10";
        case 6:
            return "2147483648";
        case 7:
            return "--keys";
        default: {
            std::string bytes;
            const std::size_t length = 1 + Below(12);
            for (std::size_t i = 0; i < length; ++i)
                bytes.push_back(static_cast<char>(1 + Below(255)));
            return bytes;
        }
        }
    }

    std::string Database() {
        if (Chance(92))
            return (folder / "Varnholt.MFG").string();
        return (folder / OneOf({"random.MFG", "fragment.MFG", "empty.MFG", "missing.MFG", "folder.MFG", ""}))
            .string();
    }

    std::string ManufacturerName(const KnownManufacturer& chosen) {
        if (Chance(92))
            return chosen.record.Name;
        return Chance(50) ? OneOf({"narrow", "NOBODY", "DAMAGED", "IMPOSSIBLE", ""}) : Garbage();
    }

    std::string RecordNumber(const KnownManufacturer& chosen) {
        if (Chance(85)) {
            for (std::size_t i = 0; i < known.size(); ++i)
                if (known[i].record.Name == chosen.record.Name)
                    return std::to_string(i + 1);
        }
        return Chance(50) ? OneOf({"0", "5", "6", "7", "4294967297"}) : Garbage();
    }

    std::string Bitting(const KnownManufacturer& chosen, int chambers) {
        std::string bitting;
        const auto span = static_cast<std::size_t>(chosen.highestDigit - chosen.lowestDigit + 1);
        for (int i = 0; i < chambers; ++i)
            bitting.push_back(static_cast<char>(chosen.lowestDigit + static_cast<char>(Below(span))));
        if (chosen.record.DeepestCut == 10 && Chance(20))
            bitting[Below(bitting.size())] = '0';
        if (Chance(10)) {
            switch (Below(4)) {
            case 0:
                bitting.pop_back();
                break;
            case 1:
                bitting.push_back('1');
                break;
            case 2:
                bitting[0] = 'x';
                break;
            default:
                bitting[0] = '9';
                break;
            }
        }
        return bitting;
    }

    std::string MasterKey(const KnownManufacturer& chosen, int chambers) {
        if (Chance(2))
            return "random";
        return Chance(90) ? Bitting(chosen, chambers) : Garbage();
    }

    std::string Quantity() {
        if (Chance(92))
            return OneOf({"0", "1", "2", "3", "all"});
        return Chance(50) ? OneOf({"ALL", "9", "100", "-0"}) : Garbage();
    }

    std::string Format() {
        if (Chance(96))
            return OneOf({"text", "json", "csv", "text", "json", "csv", "pdf"});
        return Chance(50) ? OneOf({"PDF", "txt", "html", ""}) : Garbage();
    }

    std::string Output() {
        if (Chance(85)) {
            outputFile = folder / OneOf(OutputNames);
            return outputFile->string();
        }
        switch (Below(3)) {
        case 0:
            return "";
        case 1:
            return (folder / "no-such-folder" / "report.out").string(); // a folder that is not there
        default:
            return (folder / "folder.MFG").string(); // a folder, not a file
        }
    }

    std::vector<std::string> Nonsense() {
        switch (Below(6)) {
        case 0:
            return {"--colour", "red"};
        case 1:
            return {"-x"};
        case 2:
            return {Garbage()};
        case 3:
            return {"--help"};
        case 4:
            return {"--keys", "1"}; // given twice when the set has it already
        default:
            return {"--database"};
        }
    }

    std::filesystem::path folder;
    std::vector<KnownManufacturer> known;
    std::mt19937 engine{Seed};
    std::optional<std::filesystem::path> outputFile;
};

// The database files the arguments may name, besides one that is missing.
void WriteFixtures(const std::filesystem::path& folder, const std::vector<KnownManufacturer>& known) {
    std::vector<manufacturers::ManufacturerRecord> records;
    for (const KnownManufacturer& manufacturer : known)
        records.push_back(manufacturer.record);
    manufacturers::ManufacturerRecord impossible = Manufacturer("IMPOSSIBLE", 4, 5, 0, 42, 1, 0);
    records.push_back(impossible);
    WriteDatabase(folder / "Varnholt.MFG", records);
    // A record whose name length byte claims more than its field holds.
    manufacturers::RecordBytes damaged = Manufacturer("DAMAGED", 3, 4, 0, 9, 2, 0).Encode();
    damaged[0] = 200;
    std::ofstream(folder / "Varnholt.MFG", std::ios::binary | std::ios::app)
        .write(reinterpret_cast<const char*>(damaged.data()), static_cast<std::streamsize>(damaged.size()));

    std::mt19937 engine{Seed};
    std::string random(manufacturers::RecordSize * 6, '\0');
    for (char& byte : random)
        byte = static_cast<char>(engine() % 256);
    std::ofstream(folder / "random.MFG", std::ios::binary) << random;
    std::ofstream(folder / "fragment.MFG", std::ios::binary) << random.substr(0, 100);
    std::ofstream(folder / "empty.MFG", std::ios::binary).flush();
    std::filesystem::create_directory(folder / "folder.MFG");
}

TEST(RandomArguments, EveryArgumentSetEndsWithOutputOrAMessageAndNoPartialFile) {
    ScratchFolder folder;
    const std::vector<KnownManufacturer> known = KnownManufacturers();
    WriteFixtures(folder.Path(), known);
    const std::set<std::filesystem::path> fixtures = [&folder] {
        const auto files = folder.Files();
        return std::set<std::filesystem::path>(files.begin(), files.end());
    }();

    ArgumentDrawer drawer(folder.Path(), known);
    std::map<std::string, int> outcomes;
    for (int set = 0; set < ArgumentSets; ++set) {
        const std::vector<std::string> arguments = drawer.Draw();
        const std::optional<std::filesystem::path>& output = drawer.OutputFile();
        for (const char* name : OutputNames)
            std::filesystem::remove(folder.Path() / name);
        const CommandResult result = RunCommand(arguments);

        std::string shown;
        for (const std::string& argument : arguments)
            shown += " [" + argument + "]";
        SCOPED_TRACE("argument set " + std::to_string(set) + ":" + shown + "\nstderr: " + result.err);
        const bool help = std::find(arguments.begin(), arguments.end(), "--help") != arguments.end();
        ASSERT_TRUE(result.status == ExitDone || result.status == ExitFileFailure ||
                    result.status == ExitRefused);
        if (result.status == ExitDone) {
            const bool toFile = !help && output && std::filesystem::exists(*output);
            ASSERT_TRUE(toFile || !result.out.empty());
            if (toFile) {
                ASSERT_GT(std::filesystem::file_size(*output), 0U);
            }
            ++outcomes[help     ? "help shown"
                       : toFile ? "report written to a file"
                                : "report written to stdout"];
        } else {
            ASSERT_FALSE(result.err.empty());
            ASSERT_TRUE(result.out.empty()) << "a refused or failed run wrote part of its output";
            if (output) {
                ASSERT_FALSE(std::filesystem::exists(*output))
                    << "a refused or failed run left its output file";
            }
            ++outcomes[result.status == ExitRefused ? "refused (status 2)" : "file failure (status 1)"];
        }
        // Nothing besides the fixtures and the output of a run that succeeded: no temporary file
        // survives a failure.
        for (const std::filesystem::path& file : folder.Files())
            ASSERT_TRUE(fixtures.count(file) != 0 ||
                        (result.status == ExitDone && output && file == output->filename()))
                << "stray file " << file;
    }

    std::cout << "Outcomes of " << ArgumentSets << " random argument sets:\n";
    for (const auto& [outcome, count] : outcomes)
        std::cout << "  " << outcome << ": " << count << "\n";
    // The drawing must reach every outcome often, or the sets test little beyond the parser.
    EXPECT_GE(outcomes["report written to a file"] + outcomes["report written to stdout"], ArgumentSets / 10);
    EXPECT_GE(outcomes["refused (status 2)"], ArgumentSets / 10);
    EXPECT_GE(outcomes["file failure (status 1)"], ArgumentSets / 100);
}

} // namespace
} // namespace varnholt::tools::testing

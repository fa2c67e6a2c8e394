// The command run as its own process on saved systems, hostile text and hostile names: what it
// opens prints what was saved, what it writes can be read again, and no name forges a line.

#include "BatchTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>

// These run the command itself, with fork and exec and file modes: Linux only, and only where Qt
// builds the command.
#if defined(VARNHOLT_REPORT_COMMAND) && !defined(_WIN32)
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varnholt::tools::testing {
namespace {

class SavedFileTrust : public ::testing::Test {
protected:
    SavedFileTrust() {
        std::vector<manufacturers::ManufacturerRecord> records = SampleManufacturers();
        records.push_back(Manufacturer(ForgingName, 5, 6, 0, 9, 2, 7));
        WriteDatabase(database, records);
    }

    std::string In(const std::string& name) const { return (folder.Path() / name).string(); }

    // The command with these arguments, its standard output and error caught in files.
    CommandResult Run(const std::vector<std::string>& arguments) const {
        std::vector<std::string> argv{VARNHOLT_REPORT_COMMAND};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const std::string out = In(".out");
        const std::string err = In(".err");
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
            ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
            std::vector<char*> pointers;
            for (std::string& argument : argv)
                pointers.push_back(argument.data());
            pointers.push_back(nullptr);
            ::execv(pointers[0], pointers.data());
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        CommandResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(out),
                             ReadWholeFile(err)};
        std::filesystem::remove(out);
        std::filesystem::remove(err);
        ExpectSavedSystemReadsBack(arguments, result);
        return result;
    }

    // A core system small enough to try every one-field change of its file.
    std::vector<std::string> CoreDefinition() const {
        return {"--database",    database, "--manufacturer", "CORELINE", "--chambers", "6",
                "--master-key",  "246135", "--control-key",  "357246",   "--masters",  "2",
                "--sub-masters", "1",      "--keys",         "2"};
    }

    static std::vector<std::string> With(std::vector<std::string> arguments,
                                         std::initializer_list<std::string> more) {
        arguments.insert(arguments.end(), more);
        return arguments;
    }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(In(name), std::ios::binary | std::ios::trunc) << bytes;
    }

    // Opens a system file and makes of it what a locksmith works from: the keys and pins of every
    // cylinder, and the system's own report (which prints the control key).
    struct Printout {
        CommandResult pinning;
        CommandResult report;
    };
    Printout Open(const std::string& file) const {
        Printout printout;
        printout.pinning = Run({"--system", file, "--report", "pinning", "--format", "csv"});
        if (printout.pinning.status == ExitDone)
            printout.report = Run({"--system", file, "--format", "text"});
        return printout;
    }

    static std::string ControlKeyLine(const std::string& report) {
        std::smatch found;
        return std::regex_search(report, found, std::regex("The Control Key *= *[0-9]+")) ? found.str()
                                                                                          : std::string();
    }

    static constexpr const char* ForgingName = "EVIL\x1b[2J\nThe Grand Master Key = 1111111";

    ScratchFolder folder;
    std::string database = In("Varnholt.MFG");
};

// Every field of the file changed by one step: either the file is refused, saying why, or it
// prints the very keys, pins and control key it was saved with.
TEST_F(SavedFileTrust, AChangedFileIsRefusedUnlessItPrintsWhatWasSaved) {
    ASSERT_EQ(Run(With(CoreDefinition(), {"--save-system", In("core.varnholt")})).status, ExitDone);
    const std::string good = ReadWholeFile(In("core.varnholt"));
    const Printout saved = Open(In("core.varnholt"));
    ASSERT_EQ(saved.pinning.status, ExitDone) << saved.pinning.err;
    ASSERT_EQ(saved.pinning.err, "");
    ASSERT_FALSE(ControlKeyLine(saved.report.out).empty()) << saved.report.out;

    // Each number one up and one down, each digit of a key one up, each control chamber turned.
    std::vector<std::pair<std::string, std::string>> changes; // what, the changed file
    const std::regex field("\"(\\w+)\": (-?[0-9]+|\"[0-9YN]+\"|true|false)");
    for (auto match = std::sregex_iterator(good.begin(), good.end(), field); match != std::sregex_iterator();
         ++match) {
        const std::string name = (*match)[1];
        const std::string value = (*match)[2];
        const auto at = static_cast<std::size_t>(match->position(2));
        const auto changed = [&](const std::string& to) {
            changes.emplace_back(name + " " + value + " -> " + to,
                                 std::string(good).replace(at, value.size(), to));
        };
        if (value == "true" || value == "false") {
            changed(value == "true" ? "false" : "true");
        } else if (value.front() != '"') {
            changed(std::to_string(std::stoi(value) + 1));
            changed(std::to_string(std::stoi(value) - 1));
        } else {
            for (std::size_t i = 1; i + 1 < value.size(); ++i) {
                std::string to = value;
                to[i] = to[i] == 'Y'   ? 'N'
                        : to[i] == 'N' ? 'Y'
                                       : static_cast<char>('0' + (to[i] - '0' + 1) % 10);
                changed(to);
            }
        }
    }
    int refusedAsChanged = 0;
    int refusedOtherwise = 0;
    int sameSystem = 0;
    std::vector<std::string> refusedAsChangedWhat;
    for (const auto& [what, text] : changes) {
        SCOPED_TRACE(what);
        Write("changed.varnholt", text);
        const Printout opened = Open(In("changed.varnholt"));
        if (opened.pinning.status != ExitDone) {
            EXPECT_EQ(opened.pinning.status, ExitRefused) << opened.pinning.err;
            EXPECT_EQ(opened.pinning.out, "");
            if (opened.pinning.err.find("changed after it was saved") != std::string::npos) {
                EXPECT_NE(opened.pinning.err.find("saved by a version that computes differently"),
                          std::string::npos)
                    << opened.pinning.err;
                ++refusedAsChanged;
                refusedAsChangedWhat.push_back(what);
            } else {
                ++refusedOtherwise;
            }
            continue;
        }
        EXPECT_EQ(opened.pinning.out, saved.pinning.out) << "opened, but other keys or pins";
        EXPECT_EQ(ControlKeyLine(opened.report.out), ControlKeyLine(saved.report.out));
        ++sameSystem;
    }
    // The changes a key list alone does not see: the control key and the pins' arithmetic.
    for (const std::string what : {"controlKey \"357246\" -> \"357247\"", "stackTotal 23 -> 24",
                                   "controlFactor 6 -> 7", "controlChambers \"YNYNYNN\" -> \"YNYNYYN\""})
        EXPECT_NE(std::find(refusedAsChangedWhat.begin(), refusedAsChangedWhat.end(), what),
                  refusedAsChangedWhat.end())
            << what << " was not refused as a changed file";
    std::cout << "[ figures  ] " << changes.size() << " one-field changes: " << refusedAsChanged
              << " refused as changed, " << refusedOtherwise << " refused otherwise, " << sameSystem
              << " print the saved system\n";
}

// A file of version 1 (written by the program before its fingerprint covered the pins) opens
// with a note, prints what the same system prints when it is defined again, and is saved again
// as version 3.
TEST_F(SavedFileTrust, AVersionOneFileOpensCheckedByItsKeyListAndSaysSo) {
    const std::string versionOne = std::string(VARNHOLT_GOLDEN_DIR) + "/system-file-version-1.varnholt";
    const CommandResult opened = Run({"--system", versionOne, "--format", "text"});
    ASSERT_EQ(opened.status, ExitDone) << opened.err;
    EXPECT_EQ(opened.err, "varnholt-report: note: The system file \"" + versionOne +
                              "\" is of version 1, which holds a check of its key list only: the key list is "
                              "as saved, but its pins and control key cannot be checked. Saving the system "
                              "again records them.\n");
    const CommandResult defined = Run({"--database", database,   "--manufacturer", "BRANDT",
                                       "--chambers", "6",        "--master-key",   "246135",
                                       "--masters",  "2",        "--sub-masters",  "1",
                                       "--keys",     "3",        "--customer",     "Müller & Söhne",
                                       "--job",      "2026/114", "--format",       "text"});
    EXPECT_EQ(opened.out, defined.out);

    ASSERT_EQ(Run({"--system", versionOne, "--save-system", In("again.varnholt")}).status, ExitDone);
    EXPECT_NE(ReadWholeFile(In("again.varnholt")).find("\"version\": 3,"), std::string::npos);
    const CommandResult again = Run({"--system", In("again.varnholt"), "--format", "text"});
    EXPECT_EQ(again.status, ExitDone);
    EXPECT_EQ(again.err, "");
    EXPECT_EQ(again.out, opened.out);

    // Its key list is still checked.
    std::string changed = ReadWholeFile(versionOne);
    changed.replace(changed.find("\"changeKeys\": 3"), 15, "\"changeKeys\": 2");
    Write("changed.varnholt", changed);
    const CommandResult refused = Run({"--system", In("changed.varnholt")});
    EXPECT_EQ(refused.status, ExitRefused);
    EXPECT_NE(
        refused.err.find("cannot be opened: the key list this version of the program makes of it differs"),
        std::string::npos)
        << refused.err;

    // Saved when keys whose cylinder cannot be pinned were still listed as good: every
    // sub-master of this system cannot be pinned in chamber 2, so its key list is another now.
    const CommandResult unpinnable =
        Run({"--system", std::string(VARNHOLT_GOLDEN_DIR) + "/system-file-version-1-core.varnholt"});
    EXPECT_EQ(unpinnable.status, ExitRefused);
    EXPECT_NE(
        unpinnable.err.find("cylinders that cannot be pinned: this version marks such keys '*' and leaves "
                            "such change keys out of the list, where earlier versions listed them as good"),
        std::string::npos)
        << unpinnable.err;
}

// Text that is not UTF-8, an --output that names the system file, and a report or a save that
// fails: refused or failed with nothing written, the saved system kept as it was.
TEST_F(SavedFileTrust, NothingWrittenCanBecomeUnreadableOrReplaceWhatMustBeKept) {
    ASSERT_EQ(Run(With(CoreDefinition(), {"--save-system", In("good.varnholt")})).status, ExitDone);
    const std::string good = ReadWholeFile(In("good.varnholt"));
    const auto unchanged = [&](const CommandResult& result, int status) {
        EXPECT_EQ(result.status, status) << result.err;
        EXPECT_EQ(ReadWholeFile(In("good.varnholt")), good);
        EXPECT_FALSE(std::filesystem::exists(In("report.txt")));
        EXPECT_FALSE(std::filesystem::exists(In("new.varnholt")));
        EXPECT_EQ(folder.Files().size(), 2U) << "no temporary file left behind";
    };
    for (const std::string option : {"--customer", "--site", "--job", "--notes"}) {
        SCOPED_TRACE(option);
        const CommandResult resaved =
            Run({"--system", In("good.varnholt"), "--save-system", In("good.varnholt"), option, "M\xfcller",
                 "--format", "text", "--output", In("report.txt")});
        unchanged(resaved, ExitRefused);
        EXPECT_EQ(resaved.err.rfind("varnholt-report: the text of option '" + option + "' is not UTF-8", 0),
                  0U)
            << resaved.err;
        unchanged(Run(With(CoreDefinition(), {"--save-system", In("new.varnholt"), option,
                                              "Gr\xe4"
                                              "f"})),
                  ExitRefused);
    }
    for (const std::string& sameFile :
         {In("good.varnholt"), (folder.Path() / "." / "good.varnholt").string()}) {
        const CommandResult replacing = Run({"--system", In("good.varnholt"), "--output", sameFile});
        unchanged(replacing, ExitRefused);
        EXPECT_EQ(replacing.err, "varnholt-report: The report would replace the system file \"" +
                                     In("good.varnholt") + "\"; name another file with --output.\n");
    }
    // Both or neither: a report that cannot be written leaves no saved system, and a system
    // that cannot be saved no report.
    for (const std::string format : {"text", "pdf", "csv"})
        unchanged(Run({"--system", In("good.varnholt"), "--save-system", In("new.varnholt"), "--format",
                       format, "--output", In("missing/report." + format)}),
                  ExitFileFailure);
    unchanged(Run({"--system", In("good.varnholt"), "--save-system", In("missing/new.varnholt"), "--format",
                   "text", "--output", In("report.txt")}),
              ExitFileFailure);
    // The printer is a service of the program; here it fails.
    const CommandResult printed = RunCommand(
        {"--system", In("good.varnholt"), "--save-system", In("new.varnholt"), "--printer", "nowhere"});
    unchanged(printed, ExitFileFailure);
}

// A name with an escape sequence and a line break, from the database or from a saved system,
// prints as one line of blanks in every report, and --list shows it escaped in its own row.
TEST_F(SavedFileTrust, ControlCharactersInANameForgeNoLine) {
    const std::vector<std::string> definition = {"--database", database, "--manufacturer", ForgingName,
                                                 "--chambers", "6",      "--master-key",   "246135",
                                                 "--masters",  "2",      "--keys",         "2"};
    // The lines that begin with the text after the name's line break: none may.
    const auto forgedLines = [](const std::string& text) {
        EXPECT_EQ(text.find('\x1b'), std::string::npos);
        EXPECT_NE(text.find("EVIL [2J The Grand Master Key = 1111111"), std::string::npos) << text;
        int forged = 0;
        for (std::size_t at = text.find("The Grand Master Key = 1111111"); at != std::string::npos;
             at = text.find("The Grand Master Key = 1111111", at + 1)) {
            const std::size_t lineStart = text.rfind('\n', at) + 1;
            forged += text.find_first_not_of(' ', lineStart) == at ? 1 : 0;
        }
        return forged;
    };
    ASSERT_EQ(Run(With(definition, {"--save-system", In("evil.varnholt"), "--format", "text", "--output",
                                    In("evil.txt")}))
                  .status,
              ExitDone);
    const std::string report = ReadWholeFile(In("evil.txt"));
    EXPECT_EQ(forgedLines(report), 0);
    std::vector<std::string> clean = definition;
    clean[3] = "BRANDT";
    const CommandResult plain = Run(With(clean, {"--format", "text"}));
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'),
              std::count(plain.out.begin(), plain.out.end(), '\n'))
        << "as many lines as with a plain name";
    const CommandResult reopened = Run({"--system", In("evil.varnholt"), "--format", "text"});
    EXPECT_EQ(reopened.out, report);
    EXPECT_EQ(
        forgedLines(Run({"--system", In("evil.varnholt"), "--report", "pinning", "--format", "text"}).out),
        0);
    if (std::system("pdftotext -v > /dev/null 2>&1") == 0) {
        ASSERT_EQ(Run({"--system", In("evil.varnholt"), "--output", In("evil.pdf")}).status, ExitDone);
        ASSERT_EQ(std::system(("pdftotext -layout '" + In("evil.pdf") + "' '" + In("pdf.txt") + "'").c_str()),
                  0);
        EXPECT_EQ(forgedLines(ReadWholeFile(In("pdf.txt"))), 0);
    }

    const CommandResult list = Run({"--database", database, "--list"});
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 1 + 8) << list.out;
    EXPECT_NE(list.out.find("     8  EVIL\\x1b[2J\\x0aThe Grand Master Key = 1111111  5-6"),
              std::string::npos)
        << list.out;
    const CommandResult json = Run({"--database", database, "--list", "--format", "json"});
    EXPECT_NE(json.out.find("\"EVIL\\u001b[2J\\nThe Grand Master Key = 1111111\""), std::string::npos)
        << "the JSON list keeps the name exactly, escaped as JSON: " << json.out;
}

} // namespace
} // namespace varnholt::tools::testing

#endif

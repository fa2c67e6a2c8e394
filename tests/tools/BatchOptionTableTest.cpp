// The option table against what the user reads and types: every refusal of the command line with
// its message, the help, the manual page and the bash completion. A new option or word in the
// table that one of them misses fails here.

#include "BatchOptionTable.h"
#include "BatchTestSupport.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <tuple>

namespace varnholt::tools::testing {
namespace {

const std::vector<std::string> Defined = {"--database", "d.MFG", "--manufacturer", "M",
                                          "--chambers", "5",     "--master-key",   "12345"};

std::vector<std::string> DefinedWith(std::vector<std::string> more) {
    std::vector<std::string> arguments = Defined;
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

std::vector<std::string> DefinedWithout(const std::string& name) {
    std::vector<std::string> arguments = Defined;
    const auto found = std::find(arguments.begin(), arguments.end(), name);
    arguments.erase(found, found + 2);
    return arguments;
}

TEST(BatchOptionTable, EveryFaultOfTheCommandLineIsToldWithItsMessage) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--colour", "red"}, "unrecognized option '--colour'"},
        {{"report.pdf"}, "unrecognized option 'report.pdf'"},
        {{"-x"}, "invalid option -- 'x'"},
        {{"--list=yes"}, "unrecognized option '--list=yes'"},
        {{"--database"}, "option '--database' requires an argument"},
        {DefinedWith({"--keys", "1", "--keys=2"}), "option '--keys' is given twice"},
        {{"--list"}, "option '--list' needs the database: give --database FILE"},
        {{"--list", "--database", "d.MFG", "--site", "s", "--chambers", "5"},
         "option '--list' takes only --database and --format, not '--chambers'"},
        {{"--list", "--database", "d.MFG", "--format", "csv"},
         "the list is written as text or json, not 'csv'"},
        {{"--system", "s.varnholt", "--keys", "3"},
         "option '--system' reads the whole system from its file and cannot be combined with '--keys'"},
        {DefinedWithout("--database"), "option '--database' is required"},
        {DefinedWithout("--chambers"), "option '--chambers' is required"},
        {DefinedWithout("--master-key"), "option '--master-key' is required"},
        {DefinedWithout("--manufacturer"), "name the manufacturer with either --manufacturer or --record"},
        {DefinedWith({"--record", "1"}), "name the manufacturer with either --manufacturer or --record"},
        {DefinedWith({"--format", "PDF"}), "the format must be pdf, text, json or csv, not 'PDF'"},
        {DefinedWith({"--paper", "a5"}), "the paper must be letter or a4, not 'a5'"},
        {DefinedWith({"--report", "pins"}), "the report must be system, pinning or doors, not 'pins'"},
        {DefinedWith({"--report", "doors"}), "the report doors needs the door list: give --doors FILE.csv"},
        {DefinedWith({"--lost-key", "AA"}), "option '--lost-key' needs the door list: give --doors FILE.csv"},
        {DefinedWith({"--lost-key", "AA", "--doors", "d.csv", "--format", "csv", "--report", "pinning"}),
         "option '--lost-key' makes the lost-key list and cannot be combined with --report"},
        {DefinedWith({"--output", "-", "--printer", "q"}), "give either --output or --printer, not both"},
        {DefinedWith({"--printer", "q", "--format", "json"}),
         "the printer prints the report; --printer cannot be combined with --format json"},
        // A value is the user's text, never a placeholder of a message.
        {DefinedWith({"--printer", "q", "--format", "{--printer}"}),
         "the format must be pdf, text, json or csv, not '{--printer}'"},
    };
    for (const auto& [arguments, message] : refused) {
        std::string line;
        for (const std::string& argument : arguments)
            line += " " + argument;
        EXPECT_EQ(ParseBatchOptions(arguments).error.value_or("accepted"), message) << line;
    }
}

TEST(BatchOptionTable, TakesWhatTheFormsAllow) {
    const ParsedOptions saved =
        ParseBatchOptions({"--system", "s.varnholt", "--output", "-", "--lost-key=AA", "--doors", "d.csv",
                           "--format", "csv", "--report", "system"});
    ASSERT_FALSE(saved.error) << *saved.error;
    EXPECT_EQ(saved.options.system, "s.varnholt");
    EXPECT_FALSE(saved.options.output) << "\"-\" is standard output";
    EXPECT_EQ(saved.options.lostKey, "AA");
    // A saved system brings its doors; a door list is kept by --save-system.
    EXPECT_FALSE(ParseBatchOptions({"--system", "s.varnholt", "--lost-key", "AA", "--format", "csv"}).error);
    EXPECT_FALSE(ParseBatchOptions({"--system", "s.varnholt", "--report", "doors", "--format", "csv"}).error);
    EXPECT_FALSE(
        ParseBatchOptions({"--system", "s.varnholt", "--doors", "d.csv", "--save-system", "t.varnholt"})
            .error);

    const ParsedOptions listed = ParseBatchOptions({"--database", "d.MFG", "--list"});
    ASSERT_FALSE(listed.error) << *listed.error;
    EXPECT_TRUE(listed.options.list);
    EXPECT_EQ(listed.options.format, OutputFormat::Text);
    EXPECT_EQ(ParseBatchOptions({"--database", "d.MFG", "--list", "--format=json"}).options.format,
              OutputFormat::Json);

    // --help and --version answer whatever follows them.
    EXPECT_TRUE(ParseBatchOptions({"-h", "--colour"}).options.help);
    EXPECT_TRUE(ParseBatchOptions({"--list", "--version", "--keys"}).options.version);

    const ParsedOptions quantities =
        ParseBatchOptions(DefinedWith({"--masters", "all", "--sub-masters", "2", "--paper", "a4"}));
    ASSERT_FALSE(quantities.error) << *quantities.error;
    EXPECT_TRUE(quantities.options.masters->all);
    EXPECT_EQ(quantities.options.subMasters->number, "2");
    EXPECT_FALSE(quantities.options.keys);
    EXPECT_TRUE(quantities.options.a4);
}

// Each word an option takes reaches the command as a value of its own.
TEST(BatchOptionTable, EveryWordOfAnOptionMeansSomethingElse) {
    const auto parsed = [](const std::string& name, const std::string& word) {
        const ParsedOptions result =
            ParseBatchOptions(DefinedWith({name, word, "--doors", "d.csv", "--format=csv"}));
        EXPECT_FALSE(result.error) << name << " " << word << ": " << result.error.value_or("");
        return result.options;
    };
    for (const BatchOption& option : BatchOptionTable()) {
        if (!option.onlyWords)
            continue;
        std::set<std::tuple<OutputFormat, ReportKind, bool>> meanings;
        for (const std::string_view word : option.words) {
            const BatchOptions options =
                option.name == "--format"
                    ? ParseBatchOptions(DefinedWith({"--format", std::string(word)})).options
                    : parsed(std::string(option.name), std::string(word));
            meanings.insert({options.format, options.report, options.a4});
        }
        EXPECT_EQ(meanings.size(), option.words.size()) << option.name;
    }
}

std::set<std::string> TableNames(bool onlyWithValue = false) {
    std::set<std::string> names;
    for (const BatchOption& option : BatchOptionTable())
        if (!onlyWithValue || option.TakesValue())
            names.emplace(option.name);
    return names;
}

const BatchOption& OptionNamed(const std::string& name) {
    for (const BatchOption& option : BatchOptionTable())
        if (option.name == name)
            return option;
    throw std::runtime_error("no option " + name);
}

std::set<std::string> WordsOf(const BatchOption& option) {
    return {option.words.begin(), option.words.end()};
}

std::set<std::string> OptionsIn(const std::string& text) {
    std::set<std::string> names;
    static const std::regex option(R"(--[a-z][a-z-]*)");
    for (auto match = std::sregex_iterator(text.begin(), text.end(), option); match != std::sregex_iterator();
         ++match)
        names.insert(match->str());
    return names;
}

// The options of --help are written from the table; the synopsis above them is not. Its first
// form gives each option's words: "--paper letter|a4", "--masters N|all".
TEST(BatchOptionTable, TheSynopsisOfTheHelpNamesEveryOptionAndItsWords) {
    const std::string synopsis(BatchSynopsis());
    EXPECT_EQ(OptionsIn(synopsis), TableNames());
    const std::string firstForm = synopsis.substr(0, synopsis.find("  or:"));
    static const std::regex option(R"((--[a-z-]+) ([^ \]]+))");
    static const std::regex word(R"([a-z0-9]+)");
    for (auto match = std::sregex_iterator(firstForm.begin(), firstForm.end(), option);
         match != std::sregex_iterator(); ++match) {
        std::set<std::string> words;
        std::istringstream alternatives((*match)[2]);
        for (std::string alternative; std::getline(alternatives, alternative, '|');)
            if (std::regex_match(alternative, word))
                words.insert(alternative);
        EXPECT_EQ(words, WordsOf(OptionNamed((*match)[1]))) << "the synopsis of " << (*match)[1];
    }
}

// The manual page as troff source: "\-" is a minus, "\fB" and "\fI" start bold and italic.
std::string Section(const std::string& page, const std::string& title) {
    const std::size_t start = page.find(".SH " + title + "\n");
    EXPECT_NE(start, std::string::npos) << title;
    return page.substr(start, page.find("\n.SH ", start + 1) - start);
}

std::string Plain(std::string troff) {
    troff = std::regex_replace(troff, std::regex(R"(\\-)"), "-");
    return std::regex_replace(troff, std::regex(R"(\\f[BIR]|")"), "");
}

// The words after an option, as in "--format pdf|text" or "--masters N|all": those in bold, the
// placeholders in italics left out. Empty where no '|' follows the option.
std::set<std::string> WordsAfter(const std::string& troff) {
    std::set<std::string> words;
    std::string alternatives = troff;
    if (alternatives.find('|') == std::string::npos)
        return words;
    alternatives = std::regex_replace(alternatives, std::regex(R"(\\fI[^\\]*\\fR)"), "");
    alternatives = std::regex_replace(alternatives, std::regex(R"(\\f[BR])"), " ");
    static const std::regex word(R"([a-z0-9]+)");
    for (auto match = std::sregex_iterator(alternatives.begin(), alternatives.end(), word);
         match != std::sregex_iterator(); ++match)
        words.insert(match->str());
    return words;
}

TEST(BatchOptionTable, TheManualPageDescribesEveryOptionAndItsWords) {
    const std::string page = ReadWholeFile(VARNHOLT_MANUAL_PAGE);
    const std::string synopsis = Section(page, "SYNOPSIS");
    // The synopsis names the job details together, as JOB DETAILS; OPTIONS below names them all.
    for (const std::string& name : OptionsIn(Plain(synopsis)))
        EXPECT_EQ(TableNames().count(name), 1U) << "the synopsis names " << name;

    // The first form of the synopsis gives each option's words: "\fB\-\-paper\fR \fBletter\fR|\fBa4\fR".
    static const std::regex synopsisOption(R"(\\fB((?:\\-)+[a-z\\-]+)\\fR ((?:\\f[BI][^\\ \]]*\\fR\|?)+))");
    std::set<std::string> seen;
    for (auto match = std::sregex_iterator(synopsis.begin(), synopsis.end(), synopsisOption);
         match != std::sregex_iterator(); ++match) {
        const std::string name = Plain((*match)[1]);
        if (seen.insert(name).second) {
            EXPECT_EQ(WordsAfter((*match)[2]), WordsOf(OptionNamed(name))) << "the synopsis of " << name;
        }
    }

    // Each entry of OPTIONS is a .TP paragraph whose first line names the option and its words.
    const std::string options = Section(page, "OPTIONS");
    std::set<std::string> described;
    for (std::size_t entry = options.find(".TP\n"); entry != std::string::npos;
         entry = options.find(".TP\n", entry + 1)) {
        const std::size_t start = entry + 4;
        const std::string tag = options.substr(start, options.find('\n', start) - start);
        const std::set<std::string> names = OptionsIn(Plain(tag));
        described.insert(names.begin(), names.end());
        // ".BR \-\-paper " letter" | a4": the words after the option's name.
        const std::size_t afterName = tag.find(' ', tag.find(' ') + 1);
        if (names.size() == 1 && afterName != std::string::npos) {
            const std::set<std::string> words = WordsAfter(tag.substr(afterName));
            if (!words.empty()) {
                EXPECT_EQ(words, WordsOf(OptionNamed(*names.begin()))) << "the entry " << tag;
            }
        }
    }
    EXPECT_EQ(described, TableNames()) << "the entries of OPTIONS";
}

// The completion offers the options after "-" and, after an option, what its value may be.
TEST(BatchOptionTable, TheBashCompletionOffersEveryOptionAndItsWords) {
    const std::string script = ReadWholeFile(VARNHOLT_COMPLETION_SCRIPT);
    const std::size_t offered = script.find("compgen -W '--");
    ASSERT_NE(offered, std::string::npos);
    EXPECT_EQ(OptionsIn(script.substr(offered, script.find('\'', offered + 12) - offered)), TableNames());

    // case $prev in: one pattern of options a line, then what is offered, up to ";;".
    static const std::regex pattern(R"(\n\s+(--[a-z-]+(?: \| --[a-z-]+)*)\)\n((?:.|\n)*?);;)");
    std::set<std::string> completed;
    for (auto match = std::sregex_iterator(script.begin(), script.end(), pattern);
         match != std::sregex_iterator(); ++match) {
        const std::string body = (*match)[2];
        std::set<std::string> words;
        static const std::regex wordList(R"(compgen -W '([^']*)')");
        if (std::smatch list; std::regex_search(body, list, wordList)) {
            std::istringstream stream(list[1]);
            for (std::string word; stream >> word;)
                words.insert(word);
        }
        for (const std::string& name : OptionsIn((*match)[1])) {
            EXPECT_TRUE(completed.insert(name).second) << name << " is completed twice";
            EXPECT_EQ(words, WordsOf(OptionNamed(name))) << "the words offered after " << name;
        }
    }
    EXPECT_EQ(completed, TableNames(true)) << "the options whose value is completed";
}

} // namespace
} // namespace varnholt::tools::testing

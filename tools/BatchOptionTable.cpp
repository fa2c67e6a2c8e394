#include "BatchOptionTable.h"

#include <algorithm>
#include <iterator>

namespace varnholt::tools {

std::optional<std::string> GivenOptions::Value(std::string_view name) const {
    const auto found = values.find(name);
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

std::vector<std::string_view> GivenOptions::Names() const {
    std::vector<std::string_view> names;
    for (const auto& [name, value] : values)
        names.push_back(name);
    return names;
}

Condition operator!(Condition one) {
    return Condition([one = std::move(one)](const GivenOptions& given) { return !one(given); });
}

Condition operator&&(Condition one, Condition other) {
    return Condition([one = std::move(one), other = std::move(other)](const GivenOptions& given) {
        return one(given) && other(given);
    });
}

Condition operator||(Condition one, Condition other) {
    return Condition([one = std::move(one), other = std::move(other)](const GivenOptions& given) {
        return one(given) || other(given);
    });
}

Condition Given(std::string_view name) {
    return Condition([name](const GivenOptions& given) { return given.Has(name); });
}

Condition Missing(std::string_view name) {
    return !Given(name);
}

Condition ValueIs(std::string_view name, std::string_view word) {
    return Condition([name, word](const GivenOptions& given) { return given.Value(name) == word; });
}

CombinationRule Refuse(Condition when, std::string message) {
    return [when = std::move(when),
            message = std::move(message)](const GivenOptions& given) -> std::optional<std::string> {
        if (!when(given))
            return std::nullopt;
        return message;
    };
}

CombinationRule TakesOnly(std::vector<std::string_view> names, std::string message) {
    return [names = std::move(names),
            message = std::move(message)](const GivenOptions& given) -> std::optional<std::string> {
        for (const std::string_view name : given.Names()) {
            if (std::find(names.begin(), names.end(), name) != names.end())
                continue;
            std::string told = message;
            told.replace(told.find("{other}"), 7, name);
            return told;
        }
        return std::nullopt;
    };
}

namespace {

// The system is defined on the command line, not read from a file, and a report is asked for.
Condition DefinedOnTheLine() {
    return Missing("--system") && Missing("--list");
}

// The saved system is the whole definition; a second one could only contradict it. A list
// line is refused for what the list does not take instead.
std::optional<std::string> SecondDefinition(const GivenOptions& given) {
    if (given.Has("--list"))
        return std::nullopt;
    for (const BatchOption& option : BatchOptionTable())
        if (option.defines && given.Has(option.name))
            return "option '--system' reads the whole system from its file and cannot be combined with '" +
                   std::string(option.name) + "'";
    return std::nullopt;
}

Quantity QuantityOf(const std::string& text) {
    Quantity quantity;
    if (text == "all")
        quantity.all = true;
    else
        quantity.number = text;
    return quantity;
}

// The manufacturer the system is made for.
std::vector<BatchOption> ManufacturerOptions() {
    const std::string_view manufacturerNamed = "name the manufacturer with either --manufacturer or --record";
    return {
        {.name = "--database",
         .argument = "FILE",
         .help = "the manufacturer database (\"Varnholt.MFG\")",
         .defines = true,
         .neededWhen = DefinedOnTheLine(),
         .store = [](BatchOptions& options, const std::string& value) { options.database = value; }},
        {.name = "--manufacturer",
         .argument = "NAME",
         .help = "the manufacturer by its name, exactly as listed",
         .defines = true,
         .neededWhen = DefinedOnTheLine() && Missing("--record"),
         .neededMessage = manufacturerNamed,
         .refuses = {Refuse(Given("--record"), std::string(manufacturerNamed))},
         .store = [](BatchOptions& options, const std::string& value) { options.manufacturer = value; }},
        {.name = "--record",
         .argument = "N",
         .help = "the manufacturer by its record number, counted from 1 in file order",
         .defines = true,
         .store = [](BatchOptions& options, const std::string& value) { options.record = value; }},
    };
}

// The keys of the system.
std::vector<BatchOption> KeyOptions() {
    return {
        {.name = "--chambers",
         .argument = "N",
         .help = "the number of chambers of the system",
         .defines = true,
         .neededWhen = DefinedOnTheLine(),
         .store = [](BatchOptions& options, const std::string& value) { options.chambers = value; }},
        {.name = "--master-key",
         .argument = "BITTING",
         .words = {"random"},
         .help = "the top master key, or \"random\" to draw one",
         .defines = true,
         .neededWhen = DefinedOnTheLine(),
         .store = [](BatchOptions& options, const std::string& value) { options.masterKey = value; }},
        {.name = "--control-key",
         .argument = "BITTING",
         .help = "the control key, for an interchangeable core",
         .defines = true,
         .store = [](BatchOptions& options, const std::string& value) { options.controlKey = value; }},
        {.name = "--masters",
         .argument = "N|all",
         .words = {"all"},
         .help = "masters under the top master (default none)",
         .defines = true,
         .store = [](BatchOptions& options,
                     const std::string& value) { options.masters = QuantityOf(value); }},
        {.name = "--sub-masters",
         .argument = "N|all",
         .words = {"all"},
         .help = "sub-masters under each master (default none)",
         .defines = true,
         .store = [](BatchOptions& options,
                     const std::string& value) { options.subMasters = QuantityOf(value); }},
        {.name = "--keys",
         .argument = "N|all",
         .words = {"all"},
         .help = "change keys (default: every one available)",
         .defines = true,
         .store = [](BatchOptions& options, const std::string& value) { options.keys = QuantityOf(value); }},
    };
}

// What is written of the system.
std::vector<BatchOption> WhatIsWritten() {
    return {
        {.name = "--format",
         .argument = "FORMAT",
         .words = {"pdf", "text", "json", "csv"},
         .onlyWords = true,
         .noun = "format",
         .help = "pdf (default), text, json, or csv for the key schedule (one row\n"
                 "per cylinder and chamber for the pinning list)",
         .store =
             [](BatchOptions& options, const std::string& value) {
                 options.formatGiven = true;
                 options.format = value == "text"   ? OutputFormat::Text
                                  : value == "json" ? OutputFormat::Json
                                  : value == "csv"  ? OutputFormat::Csv
                                                    : OutputFormat::Pdf;
             }},
        {.name = "--report",
         .argument = "KIND",
         .words = {"system", "pinning", "doors"},
         .onlyWords = true,
         .noun = "report",
         .help = "system (default): the report with the key lists; pinning: the\n"
                 "pinning list, every cylinder with its pins and exposure; doors:\n"
                 "the keying schedule of the doors (of --doors, else those saved\n"
                 "with --system; csv: one row per door)",
         .refuses = {Refuse(ValueIs("--report", "doors") && Missing("--doors") && Missing("--system"),
                            "the report doors needs the door list: give --doors FILE.csv")},
         .store =
             [](BatchOptions& options, const std::string& value) {
                 options.report = value == "pinning" ? ReportKind::Pinning
                                  : value == "doors" ? ReportKind::Doors
                                                     : ReportKind::System;
             }},
    };
}

// Where it is written, or printed.
std::vector<BatchOption> WhereItGoes() {
    return {
        {.name = "--output",
         .argument = "FILE",
         .help = "write to FILE instead of standard output (\"-\" is standard\n"
                 "output; a PDF is never written to a terminal)",
         .store =
             [](BatchOptions& options, const std::string& value) {
                 if (value != "-") // standard output, as everywhere on the command line
                     options.output = value;
             }},
        {.name = "--printer",
         .argument = "QUEUE",
         .help = "print the report on the print queue QUEUE",
         .refuses =
             {Refuse(Given("--output"), "give either --output or --printer, not both"),
              Refuse(Given("--format") && !ValueIs("--format", "pdf"),
                     "the printer prints the report; --printer cannot be combined with --format {--format}")},
         .store = [](BatchOptions& options, const std::string& value) { options.printer = value; }},
        {.name = "--paper",
         .argument = "letter|a4",
         .words = {"letter", "a4"},
         .onlyWords = true,
         .noun = "paper",
         .help = "the paper of the PDF and the print (default letter); on A4 the\n"
                 "page keeps its layout, centred",
         .store = [](BatchOptions& options, const std::string& value) { options.a4 = value == "a4"; }},
    };
}

std::vector<BatchOption> SavedSystemOptions() {
    return {
        {.name = "--save-system",
         .argument = "FILE",
         .help = "save the system in FILE (.varnholt); the report is then written\n"
                 "only when --output or --printer is given too",
         .store = [](BatchOptions& options, const std::string& value) { options.saveSystem = value; }},
        {.name = "--system",
         .argument = "FILE",
         .help = "the saved system in FILE instead of --database ... --keys",
         .refuses = {SecondDefinition},
         .startsForm = true,
         .store = [](BatchOptions& options, const std::string& value) { options.system = value; }},
        {.name = "--customer",
         .argument = "TEXT",
         .store = [](BatchOptions& options, const std::string& value) { options.customer = value; }},
        {.name = "--site",
         .argument = "TEXT",
         .store = [](BatchOptions& options, const std::string& value) { options.site = value; }},
        {.name = "--job",
         .argument = "TEXT",
         .store = [](BatchOptions& options, const std::string& value) { options.job = value; }},
        {.name = "--notes",
         .argument = "TEXT",
         .help = "job details for the cover sheet (the job number also heads every\n"
                 "page); with --system they replace the saved ones",
         .store = [](BatchOptions& options, const std::string& value) { options.notes = value; }},
    };
}

std::vector<BatchOption> DoorOptions() {
    return {
        {.name = "--doors",
         .argument = "FILE.csv",
         .help = "the door list: a header naming Door, Location, Keyed To,\n"
                 "Cylinders, Notes (any order), then one door a line; Keyed To\n"
                 "holds keys as the key lists name them (GMK, A, AA, AA 1, AA *)\n"
                 "separated by ';'; --save-system keeps it, and with --system it\n"
                 "takes the place of the saved doors",
         .store = [](BatchOptions& options, const std::string& value) { options.doors = value; }},
        {.name = "--lost-key",
         .argument = "KEY",
         .help = "the doors that key KEY opens, meant or not (of --doors, else\n"
                 "those saved with --system)",
         .refuses =
             {Refuse(Missing("--doors") && Missing("--system"),
                     "option '--lost-key' needs the door list: give --doors FILE.csv"),
              Refuse(Given("--report") && !ValueIs("--report", "system"),
                     "option '--lost-key' makes the lost-key list and cannot be combined with --report")},
         .store = [](BatchOptions& options, const std::string& value) { options.lostKey = value; }},
    };
}

std::vector<BatchOption> OtherForms() {
    return {
        {.name = "--list",
         .help = "list the database's manufacturers: record number, name, chamber\n"
                 "counts, depths, step, M.A.C.S and core values (text or json)",
         .refuses = {Refuse(Missing("--database"),
                            "option '--list' needs the database: give --database FILE"),
                     TakesOnly({"--list", "--database", "--format"},
                               "option '--list' takes only --database and --format, not '{other}'"),
                     Refuse(Given("--format") && !ValueIs("--format", "text") && !ValueIs("--format", "json"),
                            "the list is written as text or json, not '{--format}'")},
         .startsForm = true,
         .store =
             [](BatchOptions& options, const std::string&) {
                 options.list = true;
                 if (!options.formatGiven)
                     options.format = OutputFormat::Text;
             }},
        {.name = "--help",
         .shortName = "-h",
         .help = "show this help and exit",
         .answersAtOnce = true,
         .store = [](BatchOptions& options, const std::string&) { options.help = true; }},
        {.name = "--version",
         .help = "show the program's version and the Qt version it runs on",
         .answersAtOnce = true,
         .store = [](BatchOptions& options, const std::string&) { options.version = true; }},
    };
}

std::vector<BatchOption> EveryOption() {
    std::vector<BatchOption> table;
    for (auto group : {ManufacturerOptions, KeyOptions, WhatIsWritten, WhereItGoes, SavedSystemOptions,
                       DoorOptions, OtherForms}) {
        std::vector<BatchOption> options = group();
        table.insert(table.end(), std::make_move_iterator(options.begin()),
                     std::make_move_iterator(options.end()));
    }
    return table;
}

} // namespace

const std::vector<BatchOption>& BatchOptionTable() {
    static const std::vector<BatchOption> table = EveryOption();
    return table;
}

std::string_view BatchSynopsis() {
    return "Usage: varnholt-report --database FILE (--manufacturer NAME | --record N) --chambers N\n"
           "                       --master-key BITTING|random [--control-key BITTING]\n"
           "                       [--masters N|all] [--sub-masters N|all] [--keys N|all]\n"
           "                       [--format pdf|text|json|csv] [--output FILE|- | --printer QUEUE]\n"
           "                       [--paper letter|a4] [--report system|pinning|doors]\n"
           "                       [--save-system FILE] [--customer TEXT] [--site TEXT] [--job TEXT]\n"
           "                       [--notes TEXT] [--doors FILE.csv [--lost-key DESIGNATION]]\n"
           "  or:  varnholt-report --system FILE [--format ...] [--output FILE | --printer QUEUE]\n"
           "                       [--paper letter|a4] [--report system|pinning|doors]\n"
           "                       [--save-system FILE] [--customer TEXT] [--site TEXT] [--job TEXT]\n"
           "                       [--notes TEXT] [--doors FILE.csv] [--lost-key DESIGNATION]\n"
           "  or:  varnholt-report --database FILE --list [--format text|json]\n"
           "  or:  varnholt-report --help | --version\n"
           "\n"
           "Generates a master key system for one manufacturer of the database and writes its report,\n"
           "applying the rules of the program's \"Data Input\" dialog.\n";
}

} // namespace varnholt::tools

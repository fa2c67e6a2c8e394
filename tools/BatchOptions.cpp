#include "BatchOptions.h"

#include <map>

namespace varnholt::tools {

namespace {

Quantity ParseQuantity(const std::string& text) {
    Quantity quantity;
    if (text == "all")
        quantity.all = true;
    else
        quantity.number = text;
    return quantity;
}

} // namespace

std::string BatchUsage() {
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
           "                       [--notes TEXT] [--doors FILE.csv [--lost-key DESIGNATION]]\n"
           "  or:  varnholt-report --database FILE --list [--format text|json]\n"
           "  or:  varnholt-report --help | --version\n"
           "\n"
           "Generates a master key system for one manufacturer of the database and writes its report,\n"
           "applying the rules of the program's \"Data Input\" dialog.\n"
           "\n"
           "  --database FILE       the manufacturer database (\"Varnholt.MFG\")\n"
           "  --manufacturer NAME   the manufacturer by its name, exactly as listed\n"
           "  --record N            the manufacturer by its record number, counted from 1 in file order\n"
           "  --chambers N          the number of chambers of the system\n"
           "  --master-key BITTING  the top master key, or \"random\" to draw one\n"
           "  --control-key BITTING the control key, for an interchangeable core\n"
           "  --masters N|all       masters under the top master (default none)\n"
           "  --sub-masters N|all   sub-masters under each master (default none)\n"
           "  --keys N|all          change keys (default: every one available)\n"
           "  --format FORMAT       pdf (default), text, json, or csv for the key schedule (one row\n"
           "                        per cylinder and chamber for the pinning list)\n"
           "  --report KIND         system (default): the report with the key lists; pinning: the\n"
           "                        pinning list, every cylinder with its pins and exposure; doors:\n"
           "                        the keying schedule of --doors, one row per door (csv)\n"
           "  --output FILE         write to FILE instead of standard output (\"-\" is standard\n"
           "                        output; a PDF is never written to a terminal)\n"
           "  --printer QUEUE       print the report on the print queue QUEUE\n"
           "  --paper letter|a4     the paper of the PDF and the print (default letter); on A4 the\n"
           "                        page keeps its layout, centred\n"
           "  --save-system FILE    save the system in FILE (.varnholt); the report is then written\n"
           "                        only when --output or --printer is given too\n"
           "  --system FILE         the saved system in FILE instead of --database ... --keys\n"
           "  --customer TEXT, --site TEXT, --job TEXT, --notes TEXT\n"
           "                        job details for the cover sheet (the job number also heads every\n"
           "                        page); with --system they replace the saved ones\n"
           "  --doors FILE.csv      the door list: a header naming Door, Location, Keyed To,\n"
           "                        Cylinders, Notes (any order), then one door a line; Keyed To\n"
           "                        holds keys as the key lists name them (GMK, A, AA, AA 1, AA *)\n"
           "                        separated by ';'\n"
           "  --lost-key KEY        the doors of --doors that key KEY opens, meant or not (csv)\n"
           "  --list                list the database's manufacturers: record number, name, chamber\n"
           "                        counts, depths, step, M.A.C.S and core values (text or json)\n"
           "  --help                show this help and exit\n"
           "  --version             show the program's version and the Qt version it runs on\n"
           "\n"
           "Exit status: 0 done, 1 a file could not be read or written or the print failed,\n"
           "2 the request or the command line was refused (nothing is written then).\n";
}

ParsedOptions ParseBatchOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    BatchOptions& options = parsed.options;
    std::map<std::string, std::string> values;
    const auto takesValue = [](const std::string& name) {
        return name == "--database" || name == "--manufacturer" || name == "--record" ||
               name == "--chambers" || name == "--master-key" || name == "--control-key" ||
               name == "--masters" || name == "--sub-masters" || name == "--keys" || name == "--format" ||
               name == "--output" || name == "--printer" || name == "--paper" || name == "--system" ||
               name == "--save-system" || name == "--customer" || name == "--site" || name == "--job" ||
               name == "--notes" || name == "--report" || name == "--doors" || name == "--lost-key";
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        if (name == "--help" || name == "-h") {
            options.help = true;
            return parsed;
        }
        if (name == "--version") {
            options.version = true;
            return parsed;
        }
        if (name == "--list" && !value) {
            options.list = true;
            continue;
        }
        if (!takesValue(name)) {
            parsed.error = name.rfind("--", 0) == 0 || name.size() < 2 || name[0] != '-'
                               ? "unrecognized option '" + arguments[i] + "'"
                               : "invalid option -- '" + name.substr(1, 1) + "'";
            return parsed;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                parsed.error = "option '" + name + "' requires an argument";
                return parsed;
            }
            value = arguments[++i];
        }
        if (values.count(name) != 0) {
            parsed.error = "option '" + name + "' is given twice";
            return parsed;
        }
        values[name] = *value;
    }

    const auto take = [&values](const std::string& name) -> std::optional<std::string> {
        const auto found = values.find(name);
        if (found == values.end())
            return std::nullopt;
        return found->second;
    };
    if (options.list) {
        if (!take("--database")) {
            parsed.error = "option '--list' needs the database: give --database FILE";
            return parsed;
        }
        for (const auto& [name, value] : values) {
            if (name != "--database" && name != "--format") {
                parsed.error = "option '--list' takes only --database and --format, not '" + name + "'";
                return parsed;
            }
        }
        options.database = *take("--database");
        options.format = OutputFormat::Text;
        if (auto format = take("--format")) {
            options.formatGiven = true;
            if (*format == "json")
                options.format = OutputFormat::Json;
            else if (*format != "text") {
                parsed.error = "the list is written as text or json, not '" + *format + "'";
                return parsed;
            }
        }
        return parsed;
    }
    options.system = take("--system");
    options.saveSystem = take("--save-system");
    options.customer = take("--customer");
    options.site = take("--site");
    options.job = take("--job");
    options.notes = take("--notes");
    if (options.system) {
        // The saved system is the whole definition; a second one could only contradict it.
        for (const char* defining : {"--database", "--manufacturer", "--record", "--chambers", "--master-key",
                                     "--control-key", "--masters", "--sub-masters", "--keys"}) {
            if (take(defining)) {
                parsed.error =
                    std::string("option '--system' reads the whole system from its file and cannot be "
                                "combined with '") +
                    defining + "'";
                return parsed;
            }
        }
    } else {
        for (const char* required : {"--database", "--chambers", "--master-key"}) {
            if (!take(required)) {
                parsed.error = std::string("option '") + required + "' is required";
                return parsed;
            }
        }
        options.database = *take("--database");
        options.chambers = *take("--chambers");
        options.masterKey = *take("--master-key");
        options.manufacturer = take("--manufacturer");
        options.record = take("--record");
        if (options.manufacturer.has_value() == options.record.has_value()) {
            parsed.error = "name the manufacturer with either --manufacturer or --record";
            return parsed;
        }
    }
    options.controlKey = take("--control-key");
    if (auto text = take("--masters"))
        options.masters = ParseQuantity(*text);
    if (auto text = take("--sub-masters"))
        options.subMasters = ParseQuantity(*text);
    if (auto text = take("--keys"))
        options.keys = ParseQuantity(*text);
    if (auto format = take("--format")) {
        options.formatGiven = true;
        if (*format == "pdf")
            options.format = OutputFormat::Pdf;
        else if (*format == "text")
            options.format = OutputFormat::Text;
        else if (*format == "json")
            options.format = OutputFormat::Json;
        else if (*format == "csv")
            options.format = OutputFormat::Csv;
        else {
            parsed.error = "the format must be pdf, text, json or csv, not '" + *format + "'";
            return parsed;
        }
    }
    if (auto paper = take("--paper")) {
        if (*paper != "letter" && *paper != "a4") {
            parsed.error = "the paper must be letter or a4, not '" + *paper + "'";
            return parsed;
        }
        options.a4 = *paper == "a4";
    }
    if (auto report = take("--report")) {
        if (*report != "system" && *report != "pinning" && *report != "doors") {
            parsed.error = "the report must be system, pinning or doors, not '" + *report + "'";
            return parsed;
        }
        options.report = *report == "pinning" ? ReportKind::Pinning
                         : *report == "doors" ? ReportKind::Doors
                                              : ReportKind::System;
    }
    options.doors = take("--doors");
    options.lostKey = take("--lost-key");
    if ((options.report == ReportKind::Doors || options.lostKey) && !options.doors) {
        parsed.error = std::string(options.lostKey ? "option '--lost-key'" : "the report doors") +
                       " needs the door list: give --doors FILE.csv";
        return parsed;
    }
    if (options.lostKey && options.report != ReportKind::System) {
        parsed.error = "option '--lost-key' makes the lost-key list and cannot be combined with --report";
        return parsed;
    }
    if ((options.report == ReportKind::Doors || options.lostKey) && options.format != OutputFormat::Csv) {
        parsed.error = "the keying schedule and the lost-key list are written as csv: give --format csv";
        return parsed;
    }
    if (options.doors && options.saveSystem) {
        parsed.error = "a system file does not keep doors: option '--doors' cannot be combined with "
                       "'--save-system'";
        return parsed;
    }
    options.output = take("--output");
    options.printer = take("--printer");
    if (options.output && options.printer) {
        parsed.error = "give either --output or --printer, not both";
        return parsed;
    }
    if (options.printer && options.format != OutputFormat::Pdf) {
        parsed.error = "the printer prints the report; --printer cannot be combined with --format " +
                       std::string(options.format == OutputFormat::Csv    ? "csv"
                                   : options.format == OutputFormat::Json ? "json"
                                                                          : "text");
        return parsed;
    }
    if (options.output == "-")
        options.output.reset(); // standard output, as everywhere on the command line
    return parsed;
}

} // namespace varnholt::tools

#include "BatchOptions.h"

#include <map>

namespace varnholt::tools {

namespace {

Quantity ParseQuantity(const std::string& text)
{
    Quantity quantity;
    if (text == "all")
        quantity.all = true;
    else
        quantity.number = text;
    return quantity;
}

} // namespace

std::string BatchUsage()
{
    return "Usage: varnholt-report --database FILE (--manufacturer NAME | --record N) --chambers N\n"
           "                       --master-key BITTING|random [--control-key BITTING]\n"
           "                       [--masters N|all] [--sub-masters N|all] [--keys N|all]\n"
           "                       [--format pdf|text|json|csv] [--output FILE | --printer QUEUE]\n"
           "\n"
           "Generates a master key system for one manufacturer of the database and writes its report.\n"
           "Records are counted from 1 in file order. Without --masters and --sub-masters the system\n"
           "has none; without --keys it has every change key available. The report goes to standard\n"
           "output unless --output or --printer is given (PDF only when standard output is not a\n"
           "terminal). csv writes the key schedule instead of the report.\n"
           "Exit status: 0 done, 1 a file could not be read or written or the print failed,\n"
           "2 the request was refused.\n";
}

ParsedOptions ParseBatchOptions(const std::vector<std::string>& arguments)
{
    ParsedOptions parsed;
    BatchOptions& options = parsed.options;
    std::map<std::string, std::string> values;
    const auto takesValue = [](const std::string& name) {
        return name == "--database" || name == "--manufacturer" || name == "--record" || name == "--chambers" ||
               name == "--master-key" || name == "--control-key" || name == "--masters" || name == "--sub-masters" ||
               name == "--keys" || name == "--format" || name == "--output" || name == "--printer";
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
        if (!takesValue(name)) {
            parsed.error = "Unknown argument \"" + arguments[i] + "\".";
            return parsed;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                parsed.error = "The option " + name + " needs a value.";
                return parsed;
            }
            value = arguments[++i];
        }
        if (values.count(name) != 0) {
            parsed.error = "The option " + name + " is given twice.";
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
    for (const char* required : {"--database", "--chambers", "--master-key"}) {
        if (!take(required)) {
            parsed.error = std::string("The option ") + required + " is required.";
            return parsed;
        }
    }
    options.database = *take("--database");
    options.chambers = *take("--chambers");
    options.masterKey = *take("--master-key");
    options.manufacturer = take("--manufacturer");
    options.record = take("--record");
    if (options.manufacturer.has_value() == options.record.has_value()) {
        parsed.error = "Name the manufacturer with either --manufacturer or --record.";
        return parsed;
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
            parsed.error = "The format must be pdf, text, json or csv, not \"" + *format + "\".";
            return parsed;
        }
    }
    options.output = take("--output");
    options.printer = take("--printer");
    if (options.output && options.printer) {
        parsed.error = "Give either --output or --printer, not both.";
        return parsed;
    }
    if (options.printer && options.format != OutputFormat::Pdf) {
        parsed.error = "The printer prints the report; --printer cannot be combined with --format " +
                       std::string(options.format == OutputFormat::Csv    ? "csv"
                                   : options.format == OutputFormat::Json ? "json"
                                                                          : "text") +
                       ".";
        return parsed;
    }
    return parsed;
}

} // namespace varnholt::tools

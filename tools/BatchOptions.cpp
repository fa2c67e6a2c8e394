#include "BatchOptions.h"

#include "BatchOptionTable.h"

#include <algorithm>

namespace varnholt::tools {

namespace {

// The heading of an option in --help ("--masters N|all") and the column its text starts in.
constexpr std::size_t HelpColumn = 24;

std::string Heading(const BatchOption& option) {
    return std::string(option.name) + (option.TakesValue() ? " " + std::string(option.argument) : "");
}

// The help text's lines after the first start in the column of the first.
std::string Indented(std::string_view help) {
    std::string text;
    for (const char character : help) {
        text += character;
        if (character == '\n')
            text.append(HelpColumn, ' ');
    }
    return text;
}

const BatchOption* OptionNamed(std::string_view name) {
    for (const BatchOption& option : BatchOptionTable())
        if (name == option.name || (!option.shortName.empty() && name == option.shortName))
            return &option;
    return nullptr;
}

// "pdf, text, json or csv"
std::string WordsListed(const std::vector<std::string_view>& words) {
    std::string listed;
    for (std::size_t i = 0; i < words.size(); ++i)
        listed += std::string(i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + std::string(words[i]);
    return listed;
}

// A rule's message with "{option}" and "{--name}" filled in.
std::string Told(std::string message, const BatchOption& option, const GivenOptions& given) {
    for (std::size_t open = message.find('{'); open != std::string::npos; open = message.find('{', open)) {
        const std::size_t close = message.find('}', open);
        if (close == std::string::npos)
            break;
        const std::string key = message.substr(open + 1, close - open - 1);
        const std::string value = key == "option" ? std::string(option.name) : given.Value(key).value_or("");
        message.replace(open, close - open + 1, value);
        open += value.size();
    }
    return message;
}

// What the command line is refused for is looked for in this order, each over every option: what
// is missing, then a word an option does not take, then options that do not go together.
enum class Check { Needed, Words, Combinations };

// What is wrong with the option as given, or with it missing.
std::optional<std::string> Refusal(const BatchOption& option, const GivenOptions& given, Check check) {
    const std::optional<std::string> value = given.Value(option.name);
    if (check == Check::Needed && !value && option.neededWhen && (*option.neededWhen)(given))
        return Told(std::string(option.neededMessage), option, given);
    if (check == Check::Words && value && option.onlyWords &&
        std::find(option.words.begin(), option.words.end(), *value) == option.words.end())
        return "the " + std::string(option.noun) + " must be " + WordsListed(option.words) + ", not '" +
               *value + "'";
    if (check == Check::Combinations && value)
        for (const CombinationRule& rule : option.refuses)
            if (auto message = rule(given))
                return Told(*message, option, given);
    return std::nullopt;
}

// Reads the names and values off the command line; the fault of its form otherwise. --help and
// --version end the reading.
std::optional<std::string> ReadArguments(const std::vector<std::string>& arguments, GivenOptions& given,
                                         BatchOptions& options) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> value;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.erase(equals);
        }
        const BatchOption* option = OptionNamed(name);
        if (option && option->answersAtOnce) {
            option->store(options, "");
            return std::nullopt;
        }
        if (!option || (!option->TakesValue() && value))
            return name.rfind("--", 0) == 0 || name.size() < 2 || name[0] != '-'
                       ? "unrecognized option '" + arguments[i] + "'"
                       : "invalid option -- '" + name.substr(1, 1) + "'";
        if (option->TakesValue() && !value) {
            if (i + 1 >= arguments.size())
                return "option '" + name + "' requires an argument";
            value = arguments[++i];
        }
        if (option->TakesValue() && given.Has(name))
            return "option '" + name + "' is given twice";
        given.Add(name, value.value_or(""));
    }
    return std::nullopt;
}

} // namespace

std::string BatchUsage() {
    std::string usage = std::string(BatchSynopsis()) + "\n";
    std::string heading;
    for (const BatchOption& option : BatchOptionTable()) {
        heading += (heading.empty() ? "" : ", ") + Heading(option);
        if (option.help.empty())
            continue; // told with the next option
        usage += "  " + heading;
        usage += heading.size() + 2 < HelpColumn ? std::string(HelpColumn - 2 - heading.size(), ' ')
                                                 : "\n" + std::string(HelpColumn, ' ');
        usage += Indented(option.help) + "\n";
        heading.clear();
    }
    return usage + "\n"
                   "Exit status: 0 done, 1 a file could not be read or written or the print failed,\n"
                   "2 the request or the command line was refused (nothing is written then).\n";
}

ParsedOptions ParseBatchOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    GivenOptions given;
    parsed.error = ReadArguments(arguments, given, parsed.options);
    if (parsed.error || parsed.options.help || parsed.options.version)
        return parsed;
    // --list and --system change what the rest of the line means, so their refusals come first.
    for (const BatchOption& option : BatchOptionTable())
        if (option.startsForm && (parsed.error = Refusal(option, given, Check::Combinations)))
            return parsed;
    for (const Check check : {Check::Needed, Check::Words, Check::Combinations})
        for (const BatchOption& option : BatchOptionTable())
            if ((parsed.error = Refusal(option, given, check)))
                return parsed;
    for (const BatchOption& option : BatchOptionTable())
        if (const auto value = given.Value(option.name))
            option.store(parsed.options, *value);
    return parsed;
}

} // namespace varnholt::tools

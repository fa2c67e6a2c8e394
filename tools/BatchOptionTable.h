#pragma once

#include "BatchOptions.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::tools {

// The options of one command line, each with its value ("" for one that takes none).
class GivenOptions {
public:
    void Add(std::string_view name, std::string value) { values.emplace(name, std::move(value)); }
    bool Has(std::string_view name) const { return values.find(name) != values.end(); }
    // The value given, or nothing when the option is not given.
    std::optional<std::string> Value(std::string_view name) const;
    // The names given, in alphabetical order.
    std::vector<std::string_view> Names() const;

private:
    std::map<std::string, std::string, std::less<>> values;
};

// Something the options given hold or not; combined with !, && and ||.
class Condition {
public:
    explicit Condition(std::function<bool(const GivenOptions&)> test) : holds(std::move(test)) {}
    bool operator()(const GivenOptions& given) const { return holds(given); }

    friend Condition operator!(Condition one);
    friend Condition operator&&(Condition one, Condition other);
    friend Condition operator||(Condition one, Condition other);

private:
    std::function<bool(const GivenOptions&)> holds;
};

Condition Given(std::string_view name);
Condition Missing(std::string_view name);
Condition ValueIs(std::string_view name, std::string_view word); // given, with that value

// A combination of options the command line is refused for: what to tell the user, or nothing.
using CombinationRule = std::function<std::optional<std::string>(const GivenOptions&)>;

// Refused where `when` holds. In the message "{option}" stands for the option the rule belongs
// to and "{--name}" for the value of that option.
CombinationRule Refuse(Condition when, std::string message);

// Refused when any option but these is given; "{other}" in the message is the first such in
// alphabetical order.
CombinationRule TakesOnly(std::vector<std::string_view> names, std::string message);

// One option of varnholt-report: how it is written, what it takes, how --help tells it and what
// it refuses. The parser, --help and the tests of the manual page and the completion read it.
struct BatchOption {
    std::string_view name{};
    std::string_view shortName{};
    // The argument as --help shows it ("N|all"); empty for an option that takes none.
    std::string_view argument{};
    // The words it takes besides a value of its own ("all"); with `onlyWords` nothing else, and
    // `noun` names the value in the refusal of another word ("the paper must be ...").
    std::vector<std::string_view> words{};
    bool onlyWords = false;
    std::string_view noun{};
    // Lines of --help; empty: told together with the next option.
    std::string_view help{};
    // Part of the system's definition, which --system reads from its file instead.
    bool defines = false;
    // When the command line must give it, and what it is told otherwise.
    std::optional<Condition> neededWhen{};
    std::string_view neededMessage = "option '{option}' is required";
    // The combinations it refuses, checked when it is given.
    std::vector<CombinationRule> refuses{};
    // --list and --system: what they refuse is told before anything else.
    bool startsForm = false;
    // --help and --version: the rest of the line is not read.
    bool answersAtOnce = false;
    // Puts the value given into the options the command runs with.
    void (*store)(BatchOptions&, const std::string& value) = nullptr;

    bool TakesValue() const { return !argument.empty(); }
};

const std::vector<BatchOption>& BatchOptionTable();

// The lines of --help above the options: the forms of the command line and what it does.
std::string_view BatchSynopsis();

} // namespace varnholt::tools

#include "BatchRequest.h"

#include "BatchStop.h"
#include "Diagnostics.h"

#include "definition/BittingRules.h"
#include "definition/DefinitionMessages.h"
#include "definition/RandomMaster.h"
#include "definition/RequestBuilder.h"
#include "definition/SystemRandomSource.h"

#include <algorithm>
#include <ostream>

namespace varnholt::tools {

namespace {

// The dialog refuses what the command line asks for, with its message.
[[noreturn]] void Refuse(std::string message) {
    throw BatchStop{ExitRefused, std::move(message)};
}

std::string DrawTopMasterKey(const manufacturers::ManufacturerRecord& record, int chambers,
                             std::ostream& err) {
    definition::SystemRandomSource random;
    std::string key;
    if (!definition::CompleteRandomKey(key, chambers, random,
                                       definition::CutRulesFor(definition::RequestForManufacturer(record))))
        Refuse("No top master key can be drawn within this manufacturer's limits.");
    err << DiagnosticLine("top master key drawn: " + key);
    return key;
}

// A quantity as the dialog's fields take it: a number, "all" for the figure in the box beside
// the field, or no answer.
definition::QuantityAnswer QuantityAnswerOf(const char* option, const std::optional<Quantity>& quantity) {
    if (!quantity)
        return {};
    if (quantity->all)
        return definition::QuantityAnswer::All();
    const auto number = WholeNumber(quantity->number);
    if (!number)
        Refuse(std::string(option) + " takes a whole number or \"all\", not \"" + quantity->number + "\".");
    return definition::QuantityAnswer::Of(*number);
}

definition::SystemAnswers AnswersOf(const BatchOptions& options,
                                    const manufacturers::ManufacturerRecord& record, std::ostream& err) {
    definition::SystemAnswers answers;
    const auto chambers = WholeNumber(options.chambers);
    if (!chambers || *chambers < record.MinChambers || *chambers > record.MaxChambers())
        Refuse(definition::ChamberChoiceMessage(record.Name, record.MinChambers, record.MaxChambers(),
                                                options.chambers));
    answers.chambers = static_cast<int>(*chambers);
    answers.topMasterKey =
        options.masterKey == "random" ? DrawTopMasterKey(record, answers.chambers, err) : options.masterKey;
    if (record.IsICore && !options.controlKey)
        Refuse("\"" + record.Name + "\" uses an interchangeable core: give its --control-key.\n" +
               definition::KeyLengthMessage(answers.chambers));
    answers.controlKey = options.controlKey.value_or("");
    answers.masters = QuantityAnswerOf("--masters", options.masters);
    answers.subMasters = QuantityAnswerOf("--sub-masters", options.subMasters);
    answers.changeKeys = QuantityAnswerOf("--keys", options.keys);
    return answers;
}

// The dialog's message alone does not say which of the two keys it means.
std::string KeyNamed(definition::RefusedAnswer answer, const definition::SystemAnswers& answers) {
    if (answer == definition::RefusedAnswer::TopMasterKey)
        return "The --master-key \"" + answers.topMasterKey + "\" is refused:\n";
    if (answer == definition::RefusedAnswer::ControlKey)
        return "The --control-key \"" + answers.controlKey + "\" is refused:\n";
    return "";
}

} // namespace

KeySystemRequest BuildBatchRequest(const BatchOptions& options,
                                   const manufacturers::ManufacturerRecord& record, std::ostream& err) {
    const definition::SystemAnswers answers = AnswersOf(options, record, err);
    const definition::BuiltRequest built = definition::BuildRequest(record, answers);
    if (built.refusal)
        Refuse(KeyNamed(built.refusal->answer, answers) + built.refusal->message);
    const KeySystemRequest& request = built.request;
    if (!request.IsICore && options.controlKey)
        err << DiagnosticLine("note: \"" + request.MfgName +
                              "\" has no interchangeable core; the control key is not used.");
    if (answers.subMasters.kind == definition::QuantityAnswer::Kind::Count &&
        request.SubMasterCount < answers.subMasters.count)
        err << DiagnosticLine("note: " + std::to_string(answers.subMasters.count) +
                              " sub-masters asked for, " + std::to_string(request.SubMasterCount) +
                              " are available under each master; the report has " +
                              std::to_string(request.SubMasterCount) + ".");
    return request;
}

std::optional<long long> WholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 12 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoll(text);
}

} // namespace varnholt::tools

#include "definition/RequestBuilder.h"

#include "definition/BittingRules.h"
#include "definition/Capacity.h"
#include "definition/DefinitionMessages.h"
#include "manufacturers/ManufacturerName.h"
#include "manufacturers/ManufacturerRecord.h"
#include "manufacturers/RecordValidity.h"

#include <limits>

namespace varnholt::definition {

namespace {

// A record without control chambers (no interchangeable core) marks none of them.
const std::string NoControlChambers(manufacturers::ControlChambersCapacity, 'N');

BuiltRequest Refused(RefusedAnswer answer, std::string message) {
    return BuiltRequest{{}, RequestRefusal{answer, std::move(message)}};
}

std::optional<RequestRefusal> CheckKeys(const KeySystemRequest& request, const SystemAnswers& answers) {
    const CutRules rules = CutRulesFor(request);
    if (auto refusal = ValidateTopMasterKey(answers.topMasterKey, request.Chambers, rules)) {
        return RequestRefusal{RefusedAnswer::TopMasterKey, *refusal};
    }
    if (request.IsICore) {
        if (auto refusal = ValidateControlKey(answers.controlKey, answers.topMasterKey,
                                              request.ControlChambers, request.Chambers, rules)) {
            return RequestRefusal{RefusedAnswer::ControlKey, *refusal};
        }
        if (auto refusal = CheckTopMasterPinnable(request, answers.topMasterKey, answers.controlKey)) {
            return RequestRefusal{RefusedAnswer::ControlKey, *refusal};
        }
    }
    return std::nullopt;
}

std::int64_t Resolve(const QuantityAnswer& answer, std::int64_t all, std::int64_t unanswered) {
    switch (answer.kind) {
    case QuantityAnswer::Kind::All:
        return all;
    case QuantityAnswer::Kind::Count:
        return answer.count;
    case QuantityAnswer::Kind::Unanswered:
        break;
    }
    return unanswered;
}

} // namespace

KeySystemRequest RequestForManufacturer(const manufacturers::ManufacturerRecord& record) {
    KeySystemRequest request;
    request.MfgName = manufacturers::PrintableName(manufacturers::CutToNameLength(record.Name));
    request.Chambers = record.MinChambers;
    request.ShallowestCut = record.ShallowestCut;
    request.DeepestCut = record.DeepestCut;
    request.IsICore = record.IsICore;
    request.MaxAdjacentCut = record.MaxAdjacentCut == 0 ? UnlimitedAdjacentCut : record.MaxAdjacentCut;
    request.StepIncrement = record.StepIncrement;
    request.ControlChambers = record.ControlChambers.empty() ? NoControlChambers : record.ControlChambers;
    request.ControlFactor = record.ControlFactor;
    request.StackTotal = record.StackTotal;
    request.ZeroIsTen = record.DeepestCut == 10;
    return request;
}

BuiltRequest BuildRequest(const manufacturers::ManufacturerRecord& record, const SystemAnswers& answers) {
    if (auto impossible = manufacturers::FindImpossibleValue(record)) {
        return Refused(RefusedAnswer::Manufacturer, *impossible);
    }
    if (answers.chambers < record.MinChambers || answers.chambers > record.MaxChambers()) {
        return Refused(RefusedAnswer::Chambers,
                       ChamberChoiceMessage(record.Name, record.MinChambers, record.MaxChambers(),
                                            std::to_string(answers.chambers)));
    }
    KeySystemRequest request = RequestForManufacturer(record);
    request.Chambers = answers.chambers;
    if (auto refusal = CheckKeys(request, answers)) {
        return BuiltRequest{{}, refusal};
    }
    request.TopMasterKey = answers.topMasterKey;
    request.ControlKey = request.IsICore ? answers.controlKey : std::string();

    const int steps =
        DialogProgressionSteps(request.ShallowestCut, request.DeepestCut, request.StepIncrement);
    const std::int64_t masters = Resolve(answers.masters, MastersAvailable(steps, request.Chambers), 0);
    const std::int64_t subMasters =
        Resolve(answers.subMasters, SubMastersAvailable(masters, steps, request.Chambers), 0);
    std::optional<std::int64_t> changeKeys;
    if (answers.changeKeys.kind == QuantityAnswer::Kind::Count) {
        changeKeys = answers.changeKeys.count;
    }
    const QuantityPlan plan = PlanQuantities(masters, subMasters, changeKeys, steps, request.Chambers,
                                             answers.subMastersAsEntered ? SubMasterLowering::AsEntered
                                                                         : SubMasterLowering::ToAvailable);
    if (plan.refusal) {
        return Refused(plan.refusedAnswer, *plan.refusal);
    }
    // Counts that fit the chambers are far below this; a larger one cannot be held at all.
    constexpr std::int64_t Most = std::numeric_limits<int>::max();
    if (plan.masterCount > Most || plan.subMasterCount > Most || plan.changeKeyCount > Most) {
        return Refused(RefusedAnswer::ChangeKeys, TooManyKeysMessage);
    }
    request.MasterCount = static_cast<int>(plan.masterCount);
    request.SubMasterCount = static_cast<int>(plan.subMasterCount);
    request.ChangeKeyCount = static_cast<int>(plan.changeKeyCount);
    request.MasterChamberCount = plan.chamberCounts.masterChambers;
    request.SubMasterChamberCount = plan.chamberCounts.subMasterChambers;
    request.ChamberRoles = plan.chamberRoles;
    return BuiltRequest{request, std::nullopt};
}

} // namespace varnholt::definition

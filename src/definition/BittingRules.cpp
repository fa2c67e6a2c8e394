#include "definition/BittingRules.h"

#include "definition/DefinitionMessages.h"
#include "engine/GenerationState.h"
#include "engine/Pinning.h"

#include <cstdlib>
#include <vector>

namespace varnholt::definition {

namespace {

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

// Checks one key cut by cut, the way the key fields take it keystroke by keystroke.
std::optional<std::string> ValidateCuts(std::string_view key, std::string_view topMasterKey,
                                        bool isControlKey, int chambers, const CutRules& rules) {
    for (std::size_t position = 0; position < key.size(); ++position) {
        const char cut = key[position];
        if (auto refusal = CheckTypedCut(cut, rules)) {
            return refusal;
        }
        if (isControlKey && position < topMasterKey.size() &&
            ControlCutIncompatible(cut, topMasterKey[position])) {
            return std::string(CompatibilityMessage);
        }
        if (position > 0 && !AdjacentCutsFit(key[position - 1], cut, rules)) {
            return std::string(AdjacentCutsMessage);
        }
    }
    if (chambers < 0 || key.size() != static_cast<std::size_t>(chambers)) {
        return KeyLengthMessage(chambers);
    }
    return std::nullopt;
}

} // namespace

CutRules CutRulesFor(const KeySystemRequest& request) {
    return CutRules{request.ShallowestCut, request.DeepestCut,
                    request.MaxAdjacentCut == 0 ? UnlimitedAdjacentCut : request.MaxAdjacentCut,
                    request.ZeroIsTen};
}

int DepthOfDigit(char digit, bool zeroIsTen) {
    const int value = digit - '0';
    return value == 0 && zeroIsTen ? 10 : value;
}

std::optional<std::string> CheckTypedCut(char typed, const CutRules& rules) {
    if (!IsDigit(typed)) {
        return NotANumberMessage(rules.shallowestCut, rules.deepestCut);
    }
    const int depth = DepthOfDigit(typed, rules.zeroIsTen);
    if (depth < rules.shallowestCut || depth > rules.deepestCut) {
        return DepthRangeMessage(rules.shallowestCut, rules.deepestCut);
    }
    return std::nullopt;
}

bool AdjacentCutsFit(char previous, char next, const CutRules& rules) {
    return std::abs(DepthOfDigit(next, rules.zeroIsTen) - DepthOfDigit(previous, rules.zeroIsTen)) <=
           rules.maxAdjacentCut;
}

bool ControlCutIncompatible(char controlDigit, char topMasterDigit) {
    return controlDigit == '9' && topMasterDigit == '0';
}

std::optional<std::string> ValidateTopMasterKey(std::string_view key, int chambers, const CutRules& rules) {
    return ValidateCuts(key, {}, false, chambers, rules);
}

bool MatchesTopMasterInEveryControlChamber(std::string_view controlKey, std::string_view topMasterKey,
                                           std::string_view controlChambers) {
    for (std::size_t chamber = 0; chamber < controlKey.size(); ++chamber) {
        const bool controlChamber = chamber < controlChambers.size() && controlChambers[chamber] == 'Y';
        if (controlChamber &&
            (chamber >= topMasterKey.size() || controlKey[chamber] != topMasterKey[chamber])) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> ValidateControlKey(std::string_view controlKey, std::string_view topMasterKey,
                                              std::string_view controlChambers, int chambers,
                                              const CutRules& rules) {
    if (auto refusal = ValidateCuts(controlKey, topMasterKey, true, chambers, rules)) {
        return refusal;
    }
    if (controlKey == topMasterKey) {
        return std::string(SameKeyMessage);
    }
    if (MatchesTopMasterInEveryControlChamber(controlKey, topMasterKey, controlChambers)) {
        return std::string(ControlChamberMessage);
    }
    return std::nullopt;
}

std::optional<std::string> CheckTopMasterPinnable(const KeySystemRequest& request, std::string_view topMasterKey,
                                                  std::string_view controlKey) {
    const auto chambers = static_cast<std::size_t>(request.Chambers);
    if (!request.IsICore || topMasterKey.size() < chambers || controlKey.size() < chambers)
        return std::nullopt;
    ChamberValues topCuts{};
    ChamberValues controlCuts{};
    for (std::size_t chamber = 1; chamber <= chambers; ++chamber) {
        if (!IsDigit(topMasterKey[chamber - 1]) || !IsDigit(controlKey[chamber - 1]))
            return std::nullopt;
        topCuts[chamber] = topMasterKey[chamber - 1] - '0';
        controlCuts[chamber] = controlKey[chamber - 1] - '0';
    }
    const ChamberFlags unpinnable = UnpinnableChambers(request, topCuts, controlCuts, topCuts);
    std::vector<int> refused;
    for (int chamber = 1; chamber <= request.Chambers; ++chamber)
        if (unpinnable[static_cast<std::size_t>(chamber)])
            refused.push_back(chamber);
    if (refused.empty())
        return std::nullopt;
    return UnpinnableControlKeyMessage(refused);
}

} // namespace varnholt::definition

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnholt {
struct KeySystemRequest;
}

// The rules a key bitting obeys while it is typed into the "Data Input" dialog, as plain
// functions so that the batch command refuses exactly what the dialog refuses.
namespace varnholt::definition {

// A manufacturer recorded without a maximum adjacent cut (0) allows any pair of cuts.
inline constexpr int UnlimitedAdjacentCut = 20;

struct CutRules {
    int shallowestCut = 0;
    int deepestCut = 9;
    int maxAdjacentCut = UnlimitedAdjacentCut; // already 20 where the manufacturer records 0
    bool zeroIsTen = false;
};

// The request's limits, with a missing maximum adjacent cut read as 20.
CutRules CutRulesFor(const KeySystemRequest& request);

// The depth a bitting digit stands for: '0' is depth 10 when zeroIsTen holds.
int DepthOfDigit(char digit, bool zeroIsTen);

// The refusal of one typed character (not a digit, or a depth outside the range), if any.
std::optional<std::string> CheckTypedCut(char typed, const CutRules& rules);

// Whether two neighbouring cuts differ by no more than the maximum adjacent cut.
bool AdjacentCutsFit(char previous, char next, const CutRules& rules);

// A control cut 9 cannot stand under a top master cut 0 (compared as plain digits).
bool ControlCutIncompatible(char controlDigit, char topMasterDigit);

// A whole top master bitting of `chambers` digits: the dialog's message for the first rule it
// breaks, checked cut by cut from chamber 1 as if it were typed.
std::optional<std::string> ValidateTopMasterKey(std::string_view key, int chambers, const CutRules& rules);

// Whether a control key has the top master's cut in every control chamber ('Y' in
// controlChambers, chamber 1 first). The control shear line then tells no key apart from the top
// master, and every key of the system would be marked unusable.
bool MatchesTopMasterInEveryControlChamber(std::string_view controlKey, std::string_view topMasterKey,
                                           std::string_view controlChambers);

// A whole control key bitting against the top master key it belongs to and the manufacturer's
// control chambers.
std::optional<std::string> ValidateControlKey(std::string_view controlKey, std::string_view topMasterKey,
                                              std::string_view controlChambers, int chambers,
                                              const CutRules& rules);

// A control key under which the top master key's own core cylinder cannot be pinned: no key of
// such a system could work. Both keys complete, as many digits as the request's chambers; the
// request's manufacturer values give the control chambers, factor, stack total and step.
std::optional<std::string> CheckTopMasterPinnable(const KeySystemRequest& request, std::string_view topMasterKey,
                                                  std::string_view controlKey);

} // namespace varnholt::definition

#pragma once

#include "engine/GenerationState.h"

#include <string>
#include <string_view>

namespace varnholt {

// The bitting of a key read as a number of `chambers` digits, chamber 1 first
// (std::invalid_argument when it has more digits or is negative).
std::string BittingOfKeyNumber(long long keyNumber, int chambers);
// The same written into digits, which has room for `chambers` characters.
void WriteBittingOfKeyNumber(long long keyNumber, int chambers, char* digits);

// What the checks of a composed key found: mark is '*' when the key cannot be used as it is,
// for any of the reasons below (several may hold at once).
struct KeyCheck {
    char mark = ' ';
    bool allControlChambersEqual = false;
    bool controlCompatible = false;
    bool breaksAdjacentCut = false;     // neighbouring cuts differ by more than M.A.C.S
    bool clashesWithControlKey = false; // a control chamber cut within a step of the control shear line
    bool isControlKey = false;          // the bitting is the control key's
    ChamberFlags unpinnable{};          // core chambers whose pins would be thinner than a step

    bool CannotBePinned() const;
};

// The one rule that decides whether a key can be used: the report's lists, the key schedule and
// through it the CSV, the fingerprint and the pinning list all ask it. For a key that exists, with
// the top master and control cuts given (chambers 1..Chambers, as written: "0" for depth 10 where
// ZeroIsTen): M.A.C.S, the control key, and whether its core cylinder can be pinned (the pinning
// blocks' rule, UnpinnableChambers).
KeyCheck CheckComposedKey(const KeySystemRequest& request, const ChamberValues& tmkCuts,
                          const ChamberValues& controlCuts, const ChamberValues& keyCuts,
                          std::string_view bitting);

// That rule for the keys of one system: what depends on the system alone is worked out once,
// so that each of the largest system's 300,000 keys costs a few comparisons. The request must
// outlive the rule.
class ComposedKeyRule {
public:
    ComposedKeyRule(const KeySystemRequest& request, const ChamberValues& tmkCuts,
                    const ChamberValues& controlCuts);

    KeyCheck Check(const ChamberValues& keyCuts, std::string_view bitting) const;
    // Check(keyCuts, bitting).mark, without working out the reasons; the cuts are digits.
    char Mark(const ChamberValues& keyCuts, std::string_view bitting) const;

private:
    const KeySystemRequest& request;
    ChamberValues tmkCuts;
    ChamberValues controlCuts;
    bool allControlChambersEqual = false;
    bool adjacentCutsLimited = true; // whether M.A.C.S can refuse a key at all
};

} // namespace varnholt

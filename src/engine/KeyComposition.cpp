#include "engine/KeyComposition.h"

#include "engine/Depth.h"
#include "engine/Pinning.h"
#include "engine/RequestChecks.h"

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace varnholt {

namespace {

std::size_t Index(int chamber) {
    return static_cast<std::size_t>(chamber);
}

int PowerOfTen(int exponent) {
    int result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

int AsDepth(int cut, bool zeroIsTen) {
    return zeroIsTen && cut == 0 ? 10 : cut;
}

} // namespace

void WriteBittingOfKeyNumber(long long keyNumber, int chambers, char* digits) {
    // 10^chambers for the chamber counts a key can have; others are worked out as they come.
    static constexpr std::array<long long, MaxChambers + 1> Limits{1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
    const long long limit = chambers >= 1 && chambers <= MaxChambers ? Limits[Index(chambers)]
                                                                    : 10LL * PowerOfTen(chambers - 1);
    if (keyNumber < 0 || keyNumber >= limit)
        throw std::invalid_argument("key number " + std::to_string(keyNumber) + " does not have " +
                                    std::to_string(chambers) + " digits");
    // Two digits at a time from the last chamber: the key number has exactly `chambers` digits.
    static constexpr std::string_view Pairs = "00010203040506070809101112131415161718192021222324"
                                              "25262728293031323334353637383940414243444546474849"
                                              "50515253545556575859606162636465666768697071727374"
                                              "75767778798081828384858687888990919293949596979899";
    auto rest = static_cast<unsigned long long>(keyNumber);
    int chamber = chambers;
    for (; chamber >= 2; chamber -= 2, rest /= 100) {
        const std::size_t pair = static_cast<std::size_t>(rest % 100) * 2;
        digits[Index(chamber - 1)] = Pairs[pair + 1];
        digits[Index(chamber - 2)] = Pairs[pair];
    }
    if (chamber == 1)
        digits[0] = static_cast<char>('0' + rest % 10);
}

std::string BittingOfKeyNumber(long long keyNumber, int chambers) {
    std::string bitting(Index(chambers), '0');
    WriteBittingOfKeyNumber(keyNumber, chambers, bitting.data());
    return bitting;
}

KeyCheck CheckComposedKey(const KeySystemRequest& request, const ChamberValues& tmkCuts,
                          const ChamberValues& controlCuts, const ChamberValues& keyCuts,
                          std::string_view bitting) {
    return ComposedKeyRule(request, tmkCuts, controlCuts).Check(keyCuts, bitting);
}

ComposedKeyRule::ComposedKeyRule(const KeySystemRequest& system, const ChamberValues& topMasterCuts,
                                 const ChamberValues& controlKeyCuts)
    : request(system), tmkCuts(topMasterCuts), controlCuts(controlKeyCuts) {
    // A chamber tells the control key apart from the top master key only when it is a control
    // chamber whose control depth differs; without an interchangeable core there is no control key.
    bool allEqual = system.IsICore;
    for (int chamber = 1; chamber <= system.Chambers && allEqual; ++chamber)
        allEqual = system.ControlChambers[Index(chamber - 1)] != 'Y' ||
                   controlKeyCuts[Index(chamber)] == topMasterCuts[Index(chamber)];
    allControlChambersEqual = allEqual;
    // Real depths lie in 0..10, so a larger limit holds for every key.
    adjacentCutsLimited = system.MaxAdjacentCut < 10;
}

KeyCheck ComposedKeyRule::Check(const ChamberValues& keyCuts, std::string_view bitting) const {
    const int chambers = request.Chambers;
    KeyCheck check{'*', allControlChambersEqual, !allControlChambersEqual};
    if (allControlChambersEqual)
        return check;
    check.mark = ' ';

    // Depth 10 is written "0"; compare real depths, leaving the stored cuts as written.
    const bool zeroIsTen = request.ZeroIsTen;
    for (int chamber = 1; chamber < chambers; ++chamber) {
        const int here = AsDepth(keyCuts[Index(chamber)], zeroIsTen);
        const int next = AsDepth(keyCuts[Index(chamber + 1)], zeroIsTen);
        if (std::abs(here - next) > request.MaxAdjacentCut)
            check.breaksAdjacentCut = true;
    }

    if (request.IsICore) {
        for (int chamber = 1; chamber <= chambers; ++chamber) {
            if (request.ControlChambers[Index(chamber - 1)] != 'Y')
                continue;
            const int controlDepth = AsDepth(controlCuts[Index(chamber)], zeroIsTen);
            const int keyDepth = AsDepth(keyCuts[Index(chamber)], zeroIsTen);
            const int difference = std::abs(controlDepth + request.ControlFactor - keyDepth);
            if (difference > 0 && difference < request.StepIncrement) {
                check.clashesWithControlKey = true;
                check.controlCompatible = false;
            }
        }
        check.unpinnable = UnpinnableChambers(request, tmkCuts, controlCuts, keyCuts);
    }

    check.isControlKey = bitting == request.ControlKey;
    if (check.breaksAdjacentCut || check.clashesWithControlKey || check.isControlKey ||
        check.CannotBePinned())
        check.mark = '*';
    return check;
}

char ComposedKeyRule::Mark(const ChamberValues& keyCuts, std::string_view bitting) const {
    if (allControlChambersEqual)
        return '*';
    // A core's pins and control shear line take the whole check.
    if (request.IsICore)
        return Check(keyCuts, bitting).mark;
    const bool zeroIsTen = request.ZeroIsTen;
    for (int chamber = 1; adjacentCutsLimited && chamber < request.Chambers; ++chamber) {
        const int here = AsDepth(keyCuts[Index(chamber)], zeroIsTen);
        const int next = AsDepth(keyCuts[Index(chamber + 1)], zeroIsTen);
        if (std::abs(here - next) > request.MaxAdjacentCut)
            return '*';
    }
    return bitting == request.ControlKey ? '*' : ' ';
}

bool KeyCheck::CannotBePinned() const {
    for (const bool chamber : unpinnable)
        if (chamber)
            return true;
    return false;
}

} // namespace varnholt

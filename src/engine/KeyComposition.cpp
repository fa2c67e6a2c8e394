#include "engine/KeyComposition.h"

#include "engine/Depth.h"
#include "engine/Pinning.h"
#include "engine/RequestChecks.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
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

void TakeProgressionValue(const ProgressionGrid& table, int chamber, int placeValue, int& currentColumn,
                          int lastColumn, int& positionalValue, bool& usable) {
    if (chamber < 1 || chamber > MaxChambers)
        throw std::invalid_argument("chamber " + std::to_string(chamber) + " is not 1..7");
    if (currentColumn < 1 || currentColumn > MaxProgressionColumns)
        throw std::invalid_argument("column " + std::to_string(currentColumn) + " is not 1..8");
    if (lastColumn < 0 || lastColumn > MaxProgressionColumns)
        throw std::invalid_argument("last column " + std::to_string(lastColumn) + " is not 0..8");

    const std::string& cell = table[Index(chamber)][Index(currentColumn)];
    if (cell == "-") {
        usable = false;
    } else {
        usable = true;
        if (!cell.empty())
            positionalValue = DigitValue(cell[0]) * placeValue;
    }
    ++currentColumn;
    if (currentColumn > lastColumn)
        currentColumn = 1;
}

std::string BittingOfKeyNumber(long long keyNumber, int chambers) {
    if (keyNumber < 0 || keyNumber >= 10LL * PowerOfTen(chambers - 1))
        throw std::invalid_argument("key number " + std::to_string(keyNumber) + " does not have " +
                                    std::to_string(chambers) + " digits");
    // Digit by digit from the last chamber: the key number has exactly `chambers` digits.
    std::string bitting(Index(chambers), '0');
    for (auto digit = bitting.rbegin(); digit != bitting.rend(); ++digit, keyNumber /= 10)
        *digit = static_cast<char>('0' + keyNumber % 10);
    return bitting;
}

KeyCheck CheckComposedKey(const KeySystemRequest& request, const ChamberValues& tmkCuts,
                          const ChamberValues& controlCuts, const ChamberValues& keyCuts,
                          std::string_view bitting) {
    const int chambers = request.Chambers;
    const auto isControlChamber = [&request](int chamber) {
        return request.ControlChambers[Index(chamber - 1)] == 'Y';
    };

    // A chamber tells the control key apart from the top master key only when it is a control
    // chamber whose control depth differs; without an interchangeable core there is no control key.
    bool allEqual = request.IsICore;
    for (int chamber = 1; chamber <= chambers && allEqual; ++chamber)
        allEqual = !isControlChamber(chamber) || controlCuts[Index(chamber)] == tmkCuts[Index(chamber)];
    KeyCheck check{'*', allEqual, !allEqual};
    if (allEqual)
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
            if (!isControlChamber(chamber))
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
    if (check.breaksAdjacentCut || check.clashesWithControlKey || check.isControlKey || check.CannotBePinned())
        check.mark = '*';
    return check;
}

bool KeyCheck::CannotBePinned() const {
    for (const bool chamber : unpinnable)
        if (chamber)
            return true;
    return false;
}

void ComposeKey(GenerationState& state, int part1, int part2, int part3, int part4, int part5,
                const ChamberFlags& usableFlags, bool& keyExists, bool& allControlChambersEqual,
                bool& controlCompatible) {
    RequireChamberCount(state);
    const int chambers = state.Chambers;

    keyExists = state.KeyCompositionEnabled;
    for (int chamber = 1; chamber <= chambers && keyExists; ++chamber)
        keyExists = usableFlags[Index(chamber)];
    if (!keyExists) {
        state.KeyMark = '*';
        state.KeyBitting.assign(Index(chambers), '-');
        return;
    }

    const long long keyNumber = static_cast<long long>(part1) + part2 + part3 + part4 + part5;
    std::string bitting = BittingOfKeyNumber(keyNumber, chambers);
    if (state.IsICore && state.ControlChambers.size() < Index(chambers))
        throw std::invalid_argument("control chambers do not cover every chamber");

    state.KeyBitting = std::move(bitting);
    state.KeyCuts.fill(0);
    for (int chamber = 1; chamber <= chambers; ++chamber)
        state.KeyCuts[Index(chamber)] = DigitValue(state.KeyBitting[Index(chamber - 1)]);

    const KeyCheck check =
        CheckComposedKey(state, state.TmkCuts, state.ControlCuts, state.KeyCuts, state.KeyBitting);
    allControlChambersEqual = check.allControlChambersEqual;
    controlCompatible = check.controlCompatible;
    state.KeyMark = check.mark;
}

void CountUsableDepths(GenerationState& state) {
    RequireChamberCount(state);
    if (state.ProgressionSteps < 0 || state.ProgressionSteps > MaxProgressionColumns)
        throw std::invalid_argument("progression steps " + std::to_string(state.ProgressionSteps) +
                                    " is not 0..8");
    // Chambers beyond this system are cleared too, so an earlier, larger system leaves nothing.
    state.UsableDepthCount.fill(0);
    for (int chamber = 1; chamber <= state.Chambers; ++chamber)
        for (int column = 1; column <= state.ProgressionSteps; ++column)
            if (state.ProgressionTable[Index(chamber)][Index(column)] != "-")
                ++state.UsableDepthCount[Index(chamber)];
}

} // namespace varnholt

#include "engine/KeyComposition.h"

#include "engine/Depth.h"
#include "engine/RequestChecks.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace varnholt {

namespace {

std::size_t Index(int chamber)
{
    return static_cast<std::size_t>(chamber);
}

int PowerOfTen(int exponent)
{
    int result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

bool IsControlChamber(const GenerationState& state, int chamber)
{
    return state.ControlChambers[Index(chamber - 1)] == 'Y';
}

int AsDepth(int cut, bool zeroIsTen)
{
    return zeroIsTen && cut == 0 ? 10 : cut;
}

} // namespace

void TakeProgressionValue(const ProgressionGrid& table, int chamber, int placeValue, int& currentColumn,
                          int lastColumn, int& positionalValue, bool& usable)
{
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

void ComposeKey(GenerationState& state, int part1, int part2, int part3, int part4, int part5,
                const ChamberFlags& usableFlags, bool& keyExists, bool& allControlChambersEqual,
                bool& controlCompatible)
{
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
    int divisor = PowerOfTen(chambers - 1);
    if (keyNumber < 0 || keyNumber >= 10LL * divisor)
        throw std::invalid_argument("key number " + std::to_string(keyNumber) + " does not have "
                                    + std::to_string(chambers) + " digits");
    if (state.IsICore && state.ControlChambers.size() < Index(chambers))
        throw std::invalid_argument("control chambers do not cover every chamber");

    int remainder = static_cast<int>(keyNumber);
    state.KeyBitting.clear();
    for (int chamber = 1; chamber <= chambers; ++chamber) {
        const int digit = remainder / divisor;
        remainder %= divisor;
        divisor /= 10;
        state.KeyBitting += static_cast<char>('0' + digit);
        state.KeyCuts[Index(chamber)] = digit;
    }
    for (int chamber = chambers + 1; chamber <= MaxChambers; ++chamber)
        state.KeyCuts[Index(chamber)] = 0;

    // A chamber tells the control key apart from the top master key only when it is a control
    // chamber whose control depth differs; without an interchangeable core there is no control key.
    bool allEqual = state.IsICore;
    for (int chamber = 1; chamber <= chambers && allEqual; ++chamber)
        allEqual = !IsControlChamber(state, chamber)
                   || state.ControlCuts[Index(chamber)] == state.TmkCuts[Index(chamber)];
    allControlChambersEqual = allEqual;
    controlCompatible = !allEqual;
    state.KeyMark = '*';
    if (allEqual)
        return;
    state.KeyMark = ' ';

    // Depth 10 is written "0"; compare real depths, leaving the stored cuts as written.
    const bool zeroIsTen = state.ZeroIsTen;
    for (int chamber = 1; chamber < chambers; ++chamber) {
        const int here = AsDepth(state.KeyCuts[Index(chamber)], zeroIsTen);
        const int next = AsDepth(state.KeyCuts[Index(chamber + 1)], zeroIsTen);
        if (std::abs(here - next) > state.MaxAdjacentCut)
            state.KeyMark = '*';
    }

    if (state.IsICore) {
        for (int chamber = 1; chamber <= chambers; ++chamber) {
            if (!IsControlChamber(state, chamber))
                continue;
            const int controlDepth = AsDepth(state.ControlCuts[Index(chamber)], zeroIsTen);
            const int keyDepth = AsDepth(state.KeyCuts[Index(chamber)], zeroIsTen);
            const int difference = std::abs(controlDepth + state.ControlFactor - keyDepth);
            if (difference > 0 && difference < state.StepIncrement) {
                state.KeyMark = '*';
                controlCompatible = false;
            }
        }
    }

    if (state.KeyBitting == state.ControlKey)
        state.KeyMark = '*';
}

void CountUsableDepths(GenerationState& state)
{
    RequireChamberCount(state);
    if (state.ProgressionSteps < 0 || state.ProgressionSteps > MaxProgressionColumns)
        throw std::invalid_argument("progression steps " + std::to_string(state.ProgressionSteps) + " is not 0..8");
    // Chambers beyond this system are cleared too, so an earlier, larger system leaves nothing.
    state.UsableDepthCount.fill(0);
    for (int chamber = 1; chamber <= state.Chambers; ++chamber)
        for (int column = 1; column <= state.ProgressionSteps; ++column)
            if (state.ProgressionTable[Index(chamber)][Index(column)] != "-")
                ++state.UsableDepthCount[Index(chamber)];
}

} // namespace varnholt

#include "engine/Pinning.h"

#include "engine/RequestChecks.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace varnholt {

namespace {

std::size_t Index(int chamber) {
    return static_cast<std::size_t>(chamber);
}

int AsDepth(int cut, bool zeroIsTen) {
    return zeroIsTen && cut == 0 ? 10 : cut;
}

// Every piece is three characters wide so that the report can cut chamber k out of a text at
// the same place whatever the pins of the chambers before it.
std::string NumberPiece(int value) {
    std::string digits = std::to_string(value);
    return std::string(3 - std::min<std::size_t>(digits.size(), 3), ' ') + digits;
}

const std::string NoPinPiece = " --";
const std::string RefusedPinPiece = "  *";
const std::string BlankPiece = "   ";

} // namespace

IcChamberPins PinIcChamber(int keyDepth, int topDepth, int controlDepth, bool controlChamber,
                           int controlFactor, int stackTotal) {
    IcChamberPins pins;
    pins.masterPin = std::abs(topDepth - keyDepth);
    pins.bottomPin = std::min(keyDepth, topDepth);
    if (controlChamber) {
        pins.controlPin = controlDepth + controlFactor - (pins.bottomPin + pins.masterPin);
    } else {
        int values[3] = {keyDepth, topDepth, controlDepth};
        std::sort(std::begin(values), std::end(values));
        const int lowest = values[0];
        const int middle = values[1];
        const int highest = values[2];
        pins.bottomPin = lowest;
        if (lowest < middle)
            pins.masterPin = middle - lowest;
        else if (lowest < highest)
            pins.masterPin = highest - lowest;

        if (controlDepth == highest && lowest == middle) {
            pins.controlPin = pins.masterPin;
            pins.masterPin = 0;
        } else if (controlDepth == highest) {
            pins.controlPin = highest - middle;
        }
        if (keyDepth == highest && lowest != middle)
            pins.controlPin = highest - middle;
        if (topDepth == highest && lowest != middle)
            pins.controlPin = highest - middle;
        if (keyDepth == controlDepth || topDepth == controlDepth)
            pins.controlPin = 0;
    }
    pins.topPin = std::max(0, stackTotal - (pins.bottomPin + pins.controlPin + pins.masterPin));
    return pins;
}

bool IcChamberPinnable(const IcChamberPins& pins, int stepIncrement) {
    const bool controlTooThin = pins.controlPin != 0 && pins.controlPin < stepIncrement;
    const bool masterTooThin = pins.masterPin != 0 && pins.masterPin < stepIncrement;
    return !controlTooThin && !masterTooThin;
}

ChamberFlags UnpinnableChambers(const KeySystemRequest& request, const ChamberValues& tmkCuts,
                                const ChamberValues& controlCuts, const ChamberValues& keyCuts) {
    ChamberFlags unpinnable{};
    if (!request.IsICore)
        return unpinnable;
    RequireChamberCount(request);
    if (request.ControlChambers.size() < Index(request.Chambers))
        throw std::invalid_argument("control chambers do not cover every chamber");
    const bool zeroIsTen = request.ZeroIsTen;
    for (int chamber = 1; chamber <= request.Chambers; ++chamber) {
        const IcChamberPins pins = PinIcChamber(AsDepth(keyCuts[Index(chamber)], zeroIsTen),
                                                AsDepth(tmkCuts[Index(chamber)], zeroIsTen),
                                                AsDepth(controlCuts[Index(chamber)], zeroIsTen),
                                                request.ControlChambers[Index(chamber - 1)] == 'Y',
                                                request.ControlFactor, request.StackTotal);
        unpinnable[Index(chamber)] = !IcChamberPinnable(pins, request.StepIncrement);
    }
    return unpinnable;
}

void ComputeIcPinning(GenerationState& state, bool& pinsUsable) {
    ChamberFlags everyChamber{};
    everyChamber.fill(true);
    ComputeIcPinning(state, everyChamber, pinsUsable);
}

void ComputeIcPinning(GenerationState& state, const ChamberFlags& chambersToPin, bool& pinsUsable) {
    if (!state.IsICore)
        throw std::logic_error("interchangeable-core pinning of a system without interchangeable core");
    RequireChamberCount(state);
    if (state.ControlChambers.size() < Index(state.Chambers))
        throw std::invalid_argument("control chambers do not cover every chamber");

    state.BottomPinsText.clear();
    state.MasterPinsText.clear();
    state.ControlPinsText.clear();
    state.TopPinsText.clear();
    pinsUsable = true;

    const bool zeroIsTen = state.ZeroIsTen;
    for (int chamber = 1; chamber <= state.Chambers; ++chamber) {
        if (!chambersToPin[Index(chamber)]) {
            state.BottomPinsText += BlankPiece;
            state.MasterPinsText += BlankPiece;
            state.ControlPinsText += BlankPiece;
            state.TopPinsText += BlankPiece;
            continue;
        }
        const IcChamberPins pins = PinIcChamber(AsDepth(state.KeyCuts[Index(chamber)], zeroIsTen),
                                                AsDepth(state.TmkCuts[Index(chamber)], zeroIsTen),
                                                AsDepth(state.ControlCuts[Index(chamber)], zeroIsTen),
                                                state.ControlChambers[Index(chamber - 1)] == 'Y',
                                                state.ControlFactor, state.StackTotal);

        state.BottomPinsText += NumberPiece(pins.bottomPin);
        state.MasterPinsText += pins.masterPin == 0 ? NoPinPiece : NumberPiece(pins.masterPin);

        std::string controlPiece = pins.controlPin == 0 ? NoPinPiece : NumberPiece(pins.controlPin);
        if (!IcChamberPinnable(pins, state.StepIncrement)) {
            state.KeyMark = '*';
            pinsUsable = false;
            controlPiece = RefusedPinPiece;
        }
        state.ControlPinsText += controlPiece;
        state.TopPinsText += pins.topPin == 0 ? NoPinPiece : NumberPiece(pins.topPin);
    }
}

StandardPins ComputeStandardPins(int keyDepth, int topDepth) {
    return {std::min(keyDepth, topDepth), std::abs(keyDepth - topDepth)};
}

} // namespace varnholt

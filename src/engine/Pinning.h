#pragma once

#include "engine/GenerationState.h"

namespace varnholt {

// Pins of an interchangeable core for the depths in KeyCuts against TmkCuts, ControlCuts,
// ControlFactor and StackTotal. Writes BottomPinsText, MasterPinsText, ControlPinsText and
// TopPinsText, one 3-character piece per chamber ("  4", " 12", " --" for none, "  *" for a
// control or master pin thinner than one step). pinsUsable is cleared, and KeyMark set to '*',
// when some chamber cannot be pinned; KeyMark is never cleared here.
// Requires IsICore (std::logic_error otherwise).
void ComputeIcPinning(GenerationState& state, bool& pinsUsable);

// As above for the chambers whose flag in chambersToPin is set only; the others get three blanks
// in every text and take no part in pinsUsable or KeyMark (a column in which they hold no depth).
void ComputeIcPinning(GenerationState& state, const ChamberFlags& chambersToPin, bool& pinsUsable);

// The four pins of one chamber of an interchangeable core, in depth units (real depths, 10
// included): the arithmetic of ComputeIcPinning for one chamber.
struct IcChamberPins {
    int bottomPin = 0;
    int masterPin = 0;
    int controlPin = 0;
    int topPin = 0;
};
IcChamberPins PinIcChamber(int keyDepth, int topDepth, int controlDepth, bool controlChamber,
                           int controlFactor, int stackTotal);

// Whether such a chamber can be pinned: no control or master pin thinner than one step, and no
// control pin below 0. ComputeIcPinning prints "  *" for a chamber that cannot.
bool IcChamberPinnable(const IcChamberPins& pins, int stepIncrement);

// The chambers of a core that a cylinder keyed to keyCuts, with the top master's and the control
// key's cuts (chambers 1..Chambers, as written: "0" for depth 10 where ZeroIsTen), cannot be pinned
// by IcChamberPinnable: the rule of the pinning blocks, asked of a whole key. None without a core.
ChamberFlags UnpinnableChambers(const KeySystemRequest& request, const ChamberValues& tmkCuts,
                                const ChamberValues& controlCuts, const ChamberValues& keyCuts);

// The two pins of a chamber without interchangeable core that opens at keyDepth and topDepth
// (real depths, 10 included).
struct StandardPins {
    int bottomPin = 0;
    int masterPin = 0;
};
StandardPins ComputeStandardPins(int keyDepth, int topDepth);

} // namespace varnholt

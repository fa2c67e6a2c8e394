#pragma once

#include "engine/GenerationState.h"

namespace varnholt {

// Takes chamber's depth at currentColumn of table as its positional value (digit × placeValue)
// and moves currentColumn on, back to 1 after lastColumn. A "-" cell clears usable and keeps the
// old positional value; an empty cell sets usable and keeps it too.
// chamber must be 1..7, currentColumn 1..8 and lastColumn 0..8 (std::invalid_argument otherwise).
void TakeProgressionValue(const ProgressionGrid& table, int chamber, int placeValue, int& currentColumn,
                          int lastColumn, int& positionalValue, bool& usable);

// Composes the key whose number is the sum of the five parts (one digit per chamber) and checks
// it: writes KeyCuts, KeyBitting and KeyMark ('*' when the key cannot be cut alongside the control
// key or breaks the maximum adjacent cut). A key with an unusable chamber, or composed while
// KeyCompositionEnabled is clear, is the row of "-" marked '*'; then keyExists is cleared and the
// other two flags are left as they were. Reads TmkCuts and, with an interchangeable core,
// ControlCuts and ControlChambers.
void ComposeKey(GenerationState& state, int part1, int part2, int part3, int part4, int part5,
                const ChamberFlags& usableFlags, bool& keyExists, bool& allControlChambersEqual,
                bool& controlCompatible);

// UsableDepthCount[c] := the columns 1..ProgressionSteps of chamber c that hold a depth.
void CountUsableDepths(GenerationState& state);

} // namespace varnholt

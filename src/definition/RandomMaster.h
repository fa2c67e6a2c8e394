#pragma once

#include "definition/BittingRules.h"
#include "definition/RandomSource.h"

#include <string>

// The random top master key: cuts drawn within the manufacturer's depths, each within the
// maximum adjacent cut of the one before it.
namespace varnholt::definition {

// One cut, as a bitting digit: a depth drawn from 0..deepest, where a depth below the shallowest
// becomes 1 (so depth 1 comes up twice as often when the depths start at 1), and depth 10 is
// written '0'.
char DrawCut(RandomSource& random, const CutRules& rules);

// Appends drawn cuts to `key` until it has `chambers` digits; a cut that breaks the maximum
// adjacent cut against the last digit is dropped and drawn again. Returns false, leaving the key
// short, only when rules that no cut can satisfy keep every draw from being accepted.
bool CompleteRandomKey(std::string& key, int chambers, RandomSource& random, const CutRules& rules);

} // namespace varnholt::definition

#pragma once

#include "engine/GenerationState.h"

namespace varnholt {

// The plain value 0..9 of a bitting digit; anything else is a programming error.
int DigitValue(char digit);

// The depth a bitting digit stands for: its value, but 10 for "0" when depth 10 is written "0".
int DepthOfDigit(char digit, bool zeroIsTen);

// The shallowest depth a bitting can express. A manufacturer whose "0" means depth 10 cannot
// write depth 0 at all, so its lowest depth is 1 even when its shallowest cut is 0.
int LowestWritableDepth(const KeySystemRequest& request);

} // namespace varnholt

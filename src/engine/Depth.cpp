#include "engine/Depth.h"

#include <stdexcept>
#include <string>

namespace varnholt {

int DigitValue(char digit) {
    if (digit < '0' || digit > '9')
        throw std::invalid_argument("bitting character '" + std::string(1, digit) + "' is not a digit");
    return digit - '0';
}

int DepthOfDigit(char digit, bool zeroIsTen) {
    const int value = DigitValue(digit);
    return zeroIsTen && value == 0 ? 10 : value;
}

int LowestWritableDepth(const KeySystemRequest& request) {
    return request.ZeroIsTen && request.ShallowestCut < 1 ? 1 : request.ShallowestCut;
}

} // namespace varnholt

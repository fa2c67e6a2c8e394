#include "engine/CylinderPinning.h"

#include "engine/Depth.h"
#include "engine/Pinning.h"
#include "engine/RequestChecks.h"

#include <stdexcept>

namespace varnholt {

namespace {

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

bool IsDigit(char character) {
    return character >= '0' && character <= '9';
}

std::int64_t PowerOfTen(int exponent) {
    std::int64_t value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

} // namespace

bool CylinderPinning::Pinnable(int chamberCount) const {
    for (int chamber = 0; chamber < chamberCount; ++chamber)
        if (!chambers[At(chamber)].pinnable)
            return false;
    return formed;
}

CylinderPinner::CylinderPinner(const KeySystemRequest& systemRequest) : request(systemRequest) {
    RequireGenerationRequest(request);
    if (request.IsICore)
        RequireControlKeyData(request);
}

ChamberPinning CylinderPinner::PinChamber(int chamber, char cut) const {
    const char topDigit = request.TopMasterKey[At(chamber - 1)];
    ChamberPinning pinning;
    pinning.cut = DigitValue(cut);
    pinning.topMasterCut = DigitValue(topDigit);
    const int keyDepth = DepthOfDigit(cut, request.ZeroIsTen);
    const int topDepth = DepthOfDigit(topDigit, request.ZeroIsTen);
    if (!request.IsICore) {
        const StandardPins pins = ComputeStandardPins(keyDepth, topDepth);
        pinning.bottomPin = pins.bottomPin;
        pinning.masterPin = pins.masterPin;
        return pinning;
    }
    const IcChamberPins pins = PinIcChamber(
        keyDepth, topDepth, DepthOfDigit(request.ControlKey[At(chamber - 1)], request.ZeroIsTen),
        request.ControlChambers[At(chamber - 1)] == 'Y', request.ControlFactor, request.StackTotal);
    pinning.bottomPin = pins.bottomPin;
    pinning.masterPin = pins.masterPin;
    pinning.controlPin = pins.controlPin;
    pinning.topPin = pins.topPin;
    pinning.pinnable = IcChamberPinnable(pins, request.StepIncrement);
    return pinning;
}

CylinderPinning CylinderPinner::Pin(std::string_view bitting) const {
    CylinderPinning cylinder;
    for (int chamber = 1; chamber <= request.Chambers; ++chamber) {
        const char cut = At(chamber - 1) < bitting.size() ? bitting[At(chamber - 1)] : '-';
        if (!IsDigit(cut)) {
            cylinder.formed = false;
            continue;
        }
        cylinder.chambers[At(chamber - 1)] = PinChamber(chamber, cut);
    }
    return cylinder;
}

ExposureCounter::ExposureCounter(const KeySystemRequest& systemRequest, const KeySchedule& schedule)
    : request(systemRequest), listed(static_cast<std::size_t>(PowerOfTen(systemRequest.Chambers)), false) {
    RequireChamberCount(request);
    for (const ScheduledKey& key : schedule) {
        const std::int64_t number = key.listed ? NumberOf(key.bitting) : -1;
        if (number >= 0)
            listed[static_cast<std::size_t>(number)] = true;
    }
}

std::int64_t ExposureCounter::NumberOf(std::string_view bitting) {
    std::int64_t number = 0;
    for (const char digit : bitting) {
        if (!IsDigit(digit))
            return -1;
        number = number * 10 + (digit - '0');
    }
    return number;
}

CylinderExposure ExposureCounter::Exposure(std::string_view bitting) const {
    CylinderExposure exposure;
    const std::int64_t key = NumberOf(bitting);
    if (key < 0 || bitting.size() != At(request.Chambers))
        return exposure;
    // Every bitting that cuts each chamber either like the key or like the top master.
    std::vector<std::int64_t> bittings{0};
    for (int chamber = 1; chamber <= request.Chambers; ++chamber) {
        const std::int64_t cut = bitting[At(chamber - 1)] - '0';
        const std::int64_t top = request.TopMasterKey[At(chamber - 1)] - '0';
        const std::size_t count = bittings.size();
        for (std::size_t index = 0; index < count; ++index) {
            const std::int64_t before = bittings[index] * 10;
            bittings[index] = before + cut;
            if (top != cut)
                bittings.push_back(before + top);
        }
    }
    exposure.openingBittings = static_cast<std::int64_t>(bittings.size());
    for (const std::int64_t candidate : bittings)
        if (listed[static_cast<std::size_t>(candidate)])
            ++exposure.systemKeys;
    return exposure;
}

} // namespace varnholt

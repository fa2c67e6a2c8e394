#include "engine/DoorCylinder.h"

#include "engine/Depth.h"

#include <algorithm>
#include <bit>
#include <iterator>

namespace varnholt {

namespace {

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

bool Formed(std::string_view bitting, int chambers) {
    if (bitting.size() < At(chambers))
        return false;
    for (int chamber = 0; chamber < chambers; ++chamber)
        if (bitting[At(chamber)] < '0' || bitting[At(chamber)] > '9')
            return false;
    return true;
}

std::uint16_t CutBit(char digit) {
    return static_cast<std::uint16_t>(1U << static_cast<unsigned>(digit - '0'));
}

std::int64_t NumberOf(std::string_view bitting, int chambers) {
    std::int64_t number = 0;
    for (int chamber = 0; chamber < chambers; ++chamber)
        number = number * 10 + (bitting[At(chamber)] - '0');
    return number;
}

} // namespace

DoorChecker::DoorChecker(const KeySystemRequest& systemRequest, const KeySchedule& keys)
    : request(systemRequest), schedule(keys), pinner(systemRequest) {
    for (std::size_t index = 0; index < schedule.size(); ++index) {
        const ScheduledKey& key = schedule[index];
        if (key.listed && Formed(key.bitting, request.Chambers))
            listedByNumber.emplace_back(NumberOf(key.bitting, request.Chambers), index);
    }
    std::sort(listedByNumber.begin(), listedByNumber.end());
}

bool DoorChecker::Admits(const DoorCylinder& cylinder, std::string_view bitting) const {
    if (!cylinder.formed || !Formed(bitting, request.Chambers))
        return false;
    for (int chamber = 0; chamber < request.Chambers; ++chamber)
        if ((cylinder.chambers[At(chamber)].cuts & CutBit(bitting[At(chamber)])) == 0)
            return false;
    return true;
}

DoorVerdict DoorChecker::Check(const std::vector<std::size_t>& targets) const {
    DoorVerdict verdict = Pinned(targets);
    if (verdict.problem == DoorProblem::None)
        FindSystemKeys(verdict);
    return verdict;
}

DoorCylinder DoorChecker::Pin(const std::vector<std::size_t>& targets) const {
    return Pinned(targets).cylinder;
}

DoorVerdict DoorChecker::Pinned(const std::vector<std::size_t>& targets) const {
    DoorVerdict verdict;
    verdict.cylinder.core = request.IsICore;
    if (targets.empty()) {
        verdict.problem = DoorProblem::NoKeys;
        verdict.cylinder.formed = false;
        return verdict;
    }
    std::vector<std::size_t> keys = targets;
    for (const std::size_t target : targets) {
        const ScheduledKey& key = schedule.at(target);
        if (key.subMaster != NoKey)
            keys.push_back(key.subMaster);
        if (key.master != NoKey)
            keys.push_back(key.master);
        keys.push_back(0);
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    verdict.operatedBy = std::move(keys);
    for (const std::size_t key : verdict.operatedBy) {
        if (!Formed(schedule[key].bitting, request.Chambers)) {
            verdict.problem = DoorProblem::KeyNotFormed;
            verdict.cylinder.formed = false;
            return verdict;
        }
    }
    std::vector<std::size_t> distinctTargets = targets;
    std::sort(distinctTargets.begin(), distinctTargets.end());
    distinctTargets.erase(std::unique(distinctTargets.begin(), distinctTargets.end()), distinctTargets.end());
    if (request.IsICore) {
        if (distinctTargets.size() > 1) {
            verdict.problem = DoorProblem::SeveralKeysOnCore;
            verdict.cylinder.formed = false;
            return verdict;
        }
        PinCore(verdict, distinctTargets.front());
    } else {
        PinStandard(verdict);
    }
    for (int chamber = 1; chamber <= request.Chambers; ++chamber)
        if (!verdict.cylinder.chambers[At(chamber - 1)].pinnable)
            verdict.unusableChambers.push_back(chamber);
    return verdict;
}

void DoorChecker::PinStandard(DoorVerdict& verdict) const {
    for (int chamber = 0; chamber < request.Chambers; ++chamber) {
        DoorChamber& pins = verdict.cylinder.chambers[At(chamber)];
        for (const std::size_t key : verdict.operatedBy)
            pins.cuts |= CutBit(schedule[key].bitting[At(chamber)]);
        std::vector<int> depths;
        for (char digit = '0'; digit <= '9'; ++digit)
            if ((pins.cuts & CutBit(digit)) != 0)
                depths.push_back(DepthOfDigit(digit, request.ZeroIsTen));
        std::sort(depths.begin(), depths.end());
        pins.bottomPin = depths.front();
        for (std::size_t line = 1; line < depths.size(); ++line) {
            const int pin = depths[line] - depths[line - 1];
            pins.masterPins.push_back(pin);
            if (pin < request.StepIncrement)
                pins.pinnable = false;
        }
    }
}

// A core's plug shear lines are the key's and the top master's, as in the pinning list; the
// control shear line releases the core, not the plug.
void DoorChecker::PinCore(DoorVerdict& verdict, std::size_t key) const {
    const std::string& bitting = schedule[key].bitting;
    const CylinderPinning pinning = pinner.Pin(bitting);
    for (int chamber = 0; chamber < request.Chambers; ++chamber) {
        const ChamberPinning& listed = pinning.chambers[At(chamber)];
        DoorChamber& pins = verdict.cylinder.chambers[At(chamber)];
        pins.cuts = static_cast<std::uint16_t>(CutBit(bitting[At(chamber)]) |
                                               CutBit(request.TopMasterKey[At(chamber)]));
        pins.bottomPin = listed.bottomPin;
        if (listed.masterPin != 0)
            pins.masterPins.push_back(listed.masterPin);
        pins.controlPin = listed.controlPin;
        pins.topPin = listed.topPin;
        pins.pinnable = listed.pinnable;
    }
}

// Walks whichever is shorter: the bittings that open the cylinder, looked up among the listed
// keys, or the listed keys, each tried against it. A common-entry door opens to many bittings.
void DoorChecker::FindSystemKeys(DoorVerdict& verdict) const {
    const DoorCylinder& cylinder = verdict.cylinder;
    verdict.opens = 1;
    for (int chamber = 0; chamber < request.Chambers; ++chamber)
        verdict.opens *= std::popcount(cylinder.chambers[At(chamber)].cuts);

    std::vector<std::size_t> admitted;
    std::int64_t distinctBittings = 0;
    if (verdict.opens <= static_cast<std::int64_t>(listedByNumber.size())) {
        std::vector<std::int64_t> bittings{0};
        for (int chamber = 0; chamber < request.Chambers; ++chamber) {
            std::vector<std::int64_t> longer;
            longer.reserve(bittings.size() * 10);
            for (const std::int64_t before : bittings)
                for (int digit = 0; digit <= 9; ++digit)
                    if ((cylinder.chambers[At(chamber)].cuts & (1U << static_cast<unsigned>(digit))) != 0)
                        longer.push_back(before * 10 + digit);
            bittings = std::move(longer);
        }
        for (const std::int64_t number : bittings) {
            auto [first, last] = std::equal_range(
                listedByNumber.begin(), listedByNumber.end(), std::pair<std::int64_t, std::size_t>{number, 0},
                [](const auto& a, const auto& b) { return a.first < b.first; });
            if (first != last)
                ++distinctBittings;
            for (; first != last; ++first)
                admitted.push_back(first->second);
        }
        std::sort(admitted.begin(), admitted.end());
    } else {
        std::int64_t previous = -1;
        for (const auto& [number, index] : listedByNumber) {
            if (!Admits(cylinder, schedule[index].bitting))
                continue;
            admitted.push_back(index);
            if (number != previous)
                ++distinctBittings;
            previous = number;
        }
        std::sort(admitted.begin(), admitted.end());
    }
    verdict.systemKeys = distinctBittings;
    std::set_difference(admitted.begin(), admitted.end(), verdict.operatedBy.begin(), verdict.operatedBy.end(),
                        std::back_inserter(verdict.unintended));
}

} // namespace varnholt

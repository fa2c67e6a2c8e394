#include "definition/Capacity.h"

#include "definition/DefinitionMessages.h"

#include <algorithm>
#include <limits>

namespace varnholt::definition {

int DialogProgressionSteps(int shallowestCut, int deepestCut, int stepIncrement) {
    if (stepIncrement <= 0) {
        return 0;
    }
    const int steps = (deepestCut - shallowestCut + 1) / stepIncrement - 1;
    return std::clamp(steps, 0, MaximumProgressionColumns);
}

std::int64_t Power(std::int64_t base, int exponent) {
    if (exponent < 0) {
        return 0;
    }
    // A negative number of alternatives cannot occur in a sound record; it counts as none.
    const std::int64_t factor = std::max<std::int64_t>(base, 0);
    std::int64_t result = 1;
    for (int i = 0; i < exponent; ++i) {
        if (factor != 0 && result > std::numeric_limits<std::int64_t>::max() / factor) {
            return std::numeric_limits<std::int64_t>::max();
        }
        result *= factor;
    }
    return result;
}

int ChambersNeeded(std::int64_t count, int progressionSteps, int chambers) {
    const int lastUsable = std::max(chambers - 1, 0);
    for (int k = 1; k <= lastUsable; ++k) {
        if (Power(progressionSteps, k) >= count) {
            return k;
        }
    }
    return lastUsable;
}

std::int64_t MastersAvailable(int progressionSteps, int chambers) {
    if (chambers <= 3) {
        return 1;
    }
    return Power(progressionSteps, chambers - 3);
}

std::int64_t SubMastersAvailable(std::int64_t masters, int progressionSteps, int chambers) {
    const int masterChambersAtMost = chambers - 3;
    int smaller = 0;
    for (int k = 1; k <= masterChambersAtMost; ++k) {
        if (Power(progressionSteps, k) >= masters) {
            break;
        }
        ++smaller;
    }
    // With three chambers nothing is left over: the remainder would be negative.
    const int remaining = masterChambersAtMost - (smaller + 1);
    return remaining <= 0 ? 0 : Power(progressionSteps, remaining);
}

CapacityResult CheckCapacity(std::int64_t masters, std::int64_t subMasters, int progressionSteps,
                             int chambers) {
    CapacityResult result;
    if (masters != 0) {
        result.masterChambers = ChambersNeeded(masters, progressionSteps, chambers);
        if (Power(progressionSteps, result.masterChambers) < masters) {
            result.verdict = CapacityVerdict::TooManyMasters;
            return result;
        }
    }
    if (subMasters != 0) {
        result.subMasterChambers = ChambersNeeded(subMasters, progressionSteps, chambers);
        if (Power(progressionSteps, result.subMasterChambers) < subMasters ||
            result.masterChambers + result.subMasterChambers >= chambers) {
            result.verdict = CapacityVerdict::TooManySubMasters;
            return result;
        }
    }
    result.keysAvailable =
        Power(progressionSteps, chambers - result.masterChambers - result.subMasterChambers);
    return result;
}

ChamberCounts ComputeChamberCounts(std::int64_t masters, std::int64_t subMasters, int progressionSteps,
                                   int chambers) {
    ChamberCounts counts;
    if (masters > 0) {
        counts.masterChambers = ChambersNeeded(masters, progressionSteps, chambers);
        if (subMasters > 0) {
            counts.subMasterChambers = ChambersNeeded(subMasters, progressionSteps, chambers);
        }
    }
    return counts;
}

std::string BuildChamberRoles(ChamberCounts counts, int chambers) {
    constexpr std::size_t RolesCapacity = 8;
    const auto total = static_cast<std::size_t>(std::clamp(chambers, 0, static_cast<int>(RolesCapacity)));
    const auto masters = std::min(static_cast<std::size_t>(std::max(counts.masterChambers, 0)), total);
    // No sub-master chamber without master chambers above it.
    const auto subMasters =
        masters == 0
            ? std::size_t{0}
            : std::min(static_cast<std::size_t>(std::max(counts.subMasterChambers, 0)), total - masters);
    std::string roles;
    roles.append(masters, 'M');
    roles.append(subMasters, 'S');
    roles.append(total - masters - subMasters, 'R');
    return roles;
}

namespace {

QuantityPlan Refusal(const char* message, RefusedAnswer answer) {
    QuantityPlan plan;
    plan.refusal = message;
    plan.refusedAnswer = answer;
    return plan;
}

std::optional<QuantityPlan> CapacityRefusal(const CapacityResult& capacity) {
    if (capacity.verdict == CapacityVerdict::TooManyMasters) {
        return Refusal(TooManyMastersMessage, RefusedAnswer::Masters);
    }
    if (capacity.verdict == CapacityVerdict::TooManySubMasters) {
        return Refusal(TooManySubMastersMessage, RefusedAnswer::SubMasters);
    }
    return std::nullopt;
}

} // namespace

QuantityPlan PlanQuantities(std::int64_t masters, std::int64_t subMasters,
                            std::optional<std::int64_t> changeKeys, int progressionSteps, int chambers,
                            SubMasterLowering lowering) {
    if (masters > MastersAvailable(progressionSteps, chambers)) {
        return Refusal(AboveAvailableMessage, RefusedAnswer::Masters);
    }
    const std::int64_t subMastersAvailable = SubMastersAvailable(masters, progressionSteps, chambers);
    if (masters == 0 && lowering == SubMasterLowering::AsEntered) {
        // The dialog's OK reads no sub-masters without masters.
        subMasters = 0;
    } else if (lowering == SubMasterLowering::ToAvailable && subMastersAvailable == 0) {
        // Where no sub-master fits at all the dialog answers "0" for them itself, without a word.
        subMasters = 0;
    } else if (masters == 0 && subMasters != 0) {
        return Refusal(NoMastersMessage, RefusedAnswer::SubMasters);
    }
    if (auto refusal = CapacityRefusal(CheckCapacity(masters, subMasters, progressionSteps, chambers))) {
        return *refusal;
    }
    if (lowering == SubMasterLowering::ToAvailable) {
        subMasters = std::min(subMasters, subMastersAvailable);
    }
    const std::int64_t keysAvailable =
        CheckCapacity(masters, subMasters, progressionSteps, chambers).keysAvailable;
    const std::int64_t keys = changeKeys.value_or(keysAvailable);
    if (keys > keysAvailable) {
        return Refusal(TooManyKeysMessage, RefusedAnswer::ChangeKeys);
    }
    QuantityPlan plan;
    plan.masterCount = masters;
    plan.subMasterCount = subMasters;
    plan.changeKeyCount = keys;
    plan.chamberCounts = ComputeChamberCounts(masters, subMasters, progressionSteps, chambers);
    plan.chamberRoles = BuildChamberRoles(plan.chamberCounts, chambers);
    return plan;
}

} // namespace varnholt::definition

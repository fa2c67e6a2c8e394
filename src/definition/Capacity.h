#pragma once

#include "definition/RequestRefusal.h"

#include <cstdint>
#include <optional>
#include <string>

// The capacity arithmetic of the "Data Input" dialog, apart from the dialog so that the batch
// command reaches the same figures. B is the number of alternative depths per chamber, N the
// number of chambers; a level that uses k chambers can tell at most B^k keys apart.
namespace varnholt::definition {

// The generation never forms more than this many columns per chamber, so the dialog may not
// promise more alternatives than that either.
inline constexpr int MaximumProgressionColumns = 6;

// Alternative depths per chamber as the dialog counts them when a manufacturer is chosen:
// (deepest - shallowest + 1) div step - 1, capped at the generation's column limit and never
// negative. A step of 0 (never stored by a checked entry) gives 0.
int DialogProgressionSteps(int shallowestCut, int deepestCut, int stepIncrement);

// base^exponent in 64 bits; saturates at the 64-bit maximum instead of overflowing; a negative
// base counts as 0.
// An exponent below 0 gives 0 (no chamber left, nothing to count).
std::int64_t Power(std::int64_t base, int exponent);

// Smallest k in 1..N-1 with B^k >= count; N-1 when there is none (then the count is too many).
int ChambersNeeded(std::int64_t count, int progressionSteps, int chambers);

// Masters available under the top master: B^(N-3), 1 with three chambers or fewer.
std::int64_t MastersAvailable(int progressionSteps, int chambers);

// Sub-masters available under each master when `masters` masters are asked for (0 for none):
// 0 when no chamber is left for them.
std::int64_t SubMastersAvailable(std::int64_t masters, int progressionSteps, int chambers);

enum class CapacityVerdict { Fits, TooManyMasters, TooManySubMasters };

struct CapacityResult {
    CapacityVerdict verdict = CapacityVerdict::Fits;
    int masterChambers = 0;
    int subMasterChambers = 0;
    std::int64_t keysAvailable = 0; // meaningful only when the request fits
};

// Judges masters and sub-masters (0 meaning none) and, when they fit, how many change keys
// are left.
CapacityResult CheckCapacity(std::int64_t masters, std::int64_t subMasters, int progressionSteps,
                             int chambers);

struct ChamberCounts {
    int masterChambers = 0;
    int subMasterChambers = 0;
};

// Chambers that progress for masters and for sub-masters. Sub-masters need masters above
// them, so without masters no chamber is given to sub-masters.
ChamberCounts ComputeChamberCounts(std::int64_t masters, std::int64_t subMasters, int progressionSteps,
                                   int chambers);

// One letter per chamber: 'M' master chambers first, then 'S', then 'R' for the rest;
// always exactly `chambers` letters (at most 8).
std::string BuildChamberRoles(ChamberCounts counts, int chambers);

// Sub-masters above what the masters leave: lowered to it, or (the dialog's OK, whose fields did
// their own lowering as they were entered) taken as they stand.
enum class SubMasterLowering { ToAvailable, AsEntered };

// The whole quantity entry at once. Where no sub-master fits they are taken as none, and
// sub-masters above the displayed maximum are lowered to it, both without a message; the
// change keys available, and so an unanswered change-key count, follow from the lowered count.
// A count the dialog refuses as it is typed stays refused: `refusal` holds the dialog's message.
struct QuantityPlan {
    std::optional<std::string> refusal;
    RefusedAnswer refusedAnswer = RefusedAnswer::Masters;
    std::int64_t masterCount = 0;
    std::int64_t subMasterCount = 0;
    std::int64_t changeKeyCount = 0;
    ChamberCounts chamberCounts;
    std::string chamberRoles;
};

QuantityPlan PlanQuantities(std::int64_t masters, std::int64_t subMasters,
                            std::optional<std::int64_t> changeKeys, int progressionSteps, int chambers,
                            SubMasterLowering lowering = SubMasterLowering::ToAvailable);

} // namespace varnholt::definition

#include "engine/RequestChecks.h"

#include "engine/Depth.h"

#include <stdexcept>
#include <string>

namespace varnholt {

void RequireChamberCount(const KeySystemRequest& request) {
    if (request.Chambers < 3 || request.Chambers > MaxChambers)
        throw std::invalid_argument("chamber count " + std::to_string(request.Chambers) + " is not 3..7");
}

void RequireBitting(const KeySystemRequest& request, std::string_view bitting, std::string_view name) {
    const auto chambers = static_cast<std::size_t>(request.Chambers);
    if (bitting.size() < chambers)
        throw std::invalid_argument(std::string(name) + " \"" + std::string(bitting) + "\" has fewer than " +
                                    std::to_string(request.Chambers) + " digits");
    for (std::size_t position = 0; position < chambers; ++position) {
        const int depth = DepthOfDigit(bitting[position], request.ZeroIsTen);
        if (depth < request.ShallowestCut || depth > request.DeepestCut)
            throw std::invalid_argument(std::string(name) + " \"" + std::string(bitting) +
                                        "\" has a depth outside the manufacturer's cuts");
    }
}

void RequireGenerationRequest(const KeySystemRequest& request) {
    RequireChamberCount(request);
    if (request.ShallowestCut < 0 || request.ShallowestCut >= request.DeepestCut || request.DeepestCut > 10)
        throw std::invalid_argument("cuts " + std::to_string(request.ShallowestCut) + ".." +
                                    std::to_string(request.DeepestCut) + " are not a depth range");
    if (request.ZeroIsTen != (request.DeepestCut == 10))
        throw std::invalid_argument("ZeroIsTen must hold exactly when the deepest cut is 10");
    if (request.StepIncrement < 1 || request.StepIncrement > 4)
        throw std::invalid_argument("step increment " + std::to_string(request.StepIncrement) +
                                    " is not 1..4");
    RequireBitting(request, request.TopMasterKey, "top master key");
}

void RequireControlKeyData(const KeySystemRequest& request) {
    RequireBitting(request, request.ControlKey, "control key");
    if (request.ControlChambers.size() < static_cast<std::size_t>(request.Chambers))
        throw std::invalid_argument("control chambers \"" + request.ControlChambers +
                                    "\" do not cover every chamber");
}

} // namespace varnholt

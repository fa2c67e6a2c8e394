#include "definition/DefinitionMessages.h"

namespace varnholt::definition {

std::string NotANumberMessage(int shallowestCut, int deepestCut) {
    return "This is a numerical field only.\nYou must use a number from " + std::to_string(shallowestCut) +
           " through " + std::to_string(deepestCut);
}

std::string DepthRangeMessage(int shallowestCut, int deepestCut) {
    return "You must use a number between " + std::to_string(shallowestCut) + " and " +
           std::to_string(deepestCut) + ".";
}

std::string UnpinnableControlKeyMessage(const std::vector<int>& chambers) {
    std::string named = chambers.size() == 1 ? "chamber " : "chambers ";
    for (std::size_t i = 0; i < chambers.size(); ++i) {
        if (i > 0)
            named += i + 1 == chambers.size() ? " and " : ", ";
        named += std::to_string(chambers[i]);
    }
    return "The Control Key leaves " + named + " impossible to pin:\na pin would be thinner than one step.";
}

std::string KeyLengthMessage(int chambers) {
    return "The key must have exactly " + std::to_string(chambers) + " digits, one for each chamber.";
}

std::string ChamberChoiceMessage(const std::string& manufacturer, int lowest, int highest,
                                 const std::string& given) {
    return "\"" + manufacturer + "\" offers " + std::to_string(lowest) + " to " + std::to_string(highest) +
           " chambers, not " + given + ".";
}

} // namespace varnholt::definition

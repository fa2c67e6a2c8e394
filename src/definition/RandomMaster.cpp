#include "definition/RandomMaster.h"

namespace varnholt::definition {

namespace {

// Any sound manufacturer accepts a cut within a few draws; this bound only keeps broken limits
// (a negative maximum adjacent cut, say) from hanging the dialog.
constexpr int MaximumDrawsPerCut = 10000;

} // namespace

char DrawCut(RandomSource& random, const CutRules& rules) {
    int depth = random.Next(rules.deepestCut);
    if (depth < rules.shallowestCut) {
        depth = 1;
    }
    return static_cast<char>('0' + depth % 10);
}

bool CompleteRandomKey(std::string& key, int chambers, RandomSource& random, const CutRules& rules) {
    while (key.size() < static_cast<std::size_t>(chambers < 0 ? 0 : chambers)) {
        bool accepted = false;
        for (int draw = 0; draw < MaximumDrawsPerCut && !accepted; ++draw) {
            const char cut = DrawCut(random, rules);
            if (key.empty() || AdjacentCutsFit(key.back(), cut, rules)) {
                key.push_back(cut);
                accepted = true;
            }
        }
        if (!accepted) {
            return false;
        }
    }
    return true;
}

} // namespace varnholt::definition

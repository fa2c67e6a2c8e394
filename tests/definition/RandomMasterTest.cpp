#include "definition/RandomMaster.h"
#include "definition/SystemRandomSource.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <set>

using namespace varnholt::definition;

namespace {

int Depth(char digit, const CutRules& rules) {
    return DepthOfDigit(digit, rules.zeroIsTen);
}

} // namespace

TEST(RandomMasterTest, EveryDrawnKeyHasAllChambersInRangeAndWithinTheAdjacentCut) {
    SeededRandomSource random(1234);
    const std::array<CutRules, 3> manufacturers{CutRules{0, 9, 5, false}, CutRules{1, 9, 3, false},
                                                CutRules{1, 10, 4, true}};
    for (const CutRules& rules : manufacturers) {
        for (int draw = 0; draw < 2000; ++draw) {
            std::string key;
            ASSERT_TRUE(CompleteRandomKey(key, 6, random, rules));
            ASSERT_EQ(key.size(), 6U);
            for (std::size_t i = 0; i < key.size(); ++i) {
                const int depth = Depth(key[i], rules);
                ASSERT_GE(depth, rules.shallowestCut) << key;
                ASSERT_LE(depth, rules.deepestCut) << key;
                if (i > 0) {
                    ASSERT_LE(std::abs(depth - Depth(key[i - 1], rules)), rules.maxAdjacentCut) << key;
                }
            }
        }
    }
}

TEST(RandomMasterTest, DepthOneComesUpTwiceAsOftenWhenTheDepthsStartAtOne) {
    SeededRandomSource random(99);
    const CutRules rules{1, 9, UnlimitedAdjacentCut, false};
    std::array<int, 10> counts{};
    constexpr int Draws = 100000;
    for (int i = 0; i < Draws; ++i) {
        ++counts[static_cast<std::size_t>(DrawCut(random, rules) - '0')];
    }
    EXPECT_EQ(counts[0], 0);
    const double expectedOther = Draws / 10.0;
    for (std::size_t depth = 2; depth <= 9; ++depth) {
        EXPECT_NEAR(counts[depth], expectedOther, expectedOther * 0.06) << "depth " << depth;
    }
    EXPECT_NEAR(counts[1], 2 * expectedOther, 2 * expectedOther * 0.06);
}

TEST(RandomMasterTest, DepthTenIsWrittenAsZero) {
    SeededRandomSource random(7);
    const CutRules rules{1, 10, UnlimitedAdjacentCut, true};
    bool sawZero = false;
    for (int i = 0; i < 500 && !sawZero; ++i) {
        sawZero = DrawCut(random, rules) == '0';
    }
    EXPECT_TRUE(sawZero);
}

TEST(RandomMasterTest, CompletionKeepsWhatIsThereAndRespectsTheLastDigit) {
    SeededRandomSource random(5);
    const CutRules rules{0, 9, 3, false};
    for (int draw = 0; draw < 500; ++draw) {
        std::string key = "09090";
        ASSERT_TRUE(CompleteRandomKey(key, 6, random, rules));
        ASSERT_EQ(key.substr(0, 5), "09090");
        ASSERT_LE(key[5] - '0', 3) << key;
    }
}

TEST(RandomMasterTest, ImpossibleLimitsLeaveTheKeyShortInsteadOfHanging) {
    SeededRandomSource random(5);
    std::string key = "5";
    EXPECT_FALSE(CompleteRandomKey(key, 6, random, CutRules{0, 9, -1, false}));
    EXPECT_EQ(key, "5");
}

TEST(RandomMasterTest, TheSameSeedGivesTheSameKey) {
    SeededRandomSource first(4711);
    SeededRandomSource second(4711);
    std::string a;
    std::string b;
    CompleteRandomKey(a, 7, first, CutRules{});
    CompleteRandomKey(b, 7, second, CutRules{});
    EXPECT_EQ(a, b);
}

TEST(RandomMasterTest, KeysDrawnInTheSameMillisecondDiffer) {
    // The keys a clock-seeded generator hands out within one millisecond are all the same, and
    // the few thousand seeds around a key's creation time give it away.
    SystemRandomSource random;
    const CutRules rules{0, 9, UnlimitedAdjacentCut, false};
    std::set<std::string> keys;
    for (int draw = 0; draw < 1000; ++draw) {
        std::string key;
        ASSERT_TRUE(CompleteRandomKey(key, 7, random, rules));
        keys.insert(key);
    }
    // 1,000 of 10 million keys: a repeat is rare, a handful would mean a weak source.
    EXPECT_GE(keys.size(), 995U);
}

TEST(RandomMasterTest, TheSystemSourceDrawsEveryValueEvenly) {
    SystemRandomSource random;
    std::array<int, 11> counts{};
    constexpr int Draws = 55000;
    for (int i = 0; i < Draws; ++i) {
        const int value = random.Next(10);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 10);
        ++counts[static_cast<std::size_t>(value)];
    }
    for (int count : counts) {
        EXPECT_NEAR(count, Draws / 11, Draws / 11 * 0.1);
    }
    EXPECT_EQ(random.Next(0), 0);
}

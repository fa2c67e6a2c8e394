#include "engine/TextLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

using namespace varnholt;

TEST(TextLayout, PadLeftRightAlignsWithTheFillCharacter) {
    EXPECT_EQ(PadLeft("Page No.", ' ', 65), std::string(57, ' ') + "Page No.");
    EXPECT_EQ(PadLeft("42", '0', 5), "00042");
    EXPECT_EQ(PadLeft("12345", '*', 5), "12345");
    EXPECT_EQ(PadLeft("123456", '*', 5), "123456");
    EXPECT_EQ(PadLeft("abc", ' ', -3), "abc");
}

TEST(TextLayout, CentreTextAddsOnlyLeadingBlanks) {
    EXPECT_EQ(CentreText("KBA", 90), std::string(43, ' ') + "KBA");
    // An even length: 45 + 2 = 47 characters in all.
    EXPECT_EQ(CentreText("ABCD", 90), std::string(43, ' ') + "ABCD");
    EXPECT_EQ(CentreText("", 90), std::string(45, ' '));
}

TEST(TextLayout, CentreTextLeavesAFullLineAlone) {
    const std::string full(90, 'x');
    EXPECT_EQ(CentreText(full, 90), full);
    EXPECT_EQ(CentreText(full + "y", 90), full + "y");
}

TEST(TextLayout, WidthsCountCharactersNotBytes) {
    // "Müller" is six characters on the page though its ü takes two bytes.
    EXPECT_EQ(CentreText("M\xC3\xBCller 6 Pin", 90), std::string(39, ' ') + "M\xC3\xBCller 6 Pin");
    EXPECT_EQ(PadLeft("\xC3\x9F", ' ', 3), "  \xC3\x9F");
}

// Texts of one-, two-, three- and four-byte characters, long enough to be counted a word at a
// time, padded every way against a count made character by character.
TEST(TextLayout, PaddingCountsCharactersOfEveryLengthAsACharacterByCharacterCountDoes) {
    const std::array<std::string, 5> characters{"a", " ", "\xC3\xBC", "\xE2\x82\xAC", "\xF0\x9F\x94\x91"};
    std::mt19937 draw(90); // fixed: the same texts on every run
    for (int trial = 0; trial < 2000; ++trial) {
        std::string text;
        int count = 0;
        for (int length = std::uniform_int_distribution<int>(0, 24)(draw); count < length; ++count)
            text += characters[std::uniform_int_distribution<std::size_t>(0, characters.size() - 1)(draw)];
        const int width = std::uniform_int_distribution<int>(-1, 30)(draw);
        const std::string expected = std::string(static_cast<std::size_t>(std::max(width - count, 0)), '.') + text;
        ASSERT_EQ(PadLeft(text, '.', width), expected) << text << " in " << width;
        std::string line = "|";
        AppendPadLeft(line, text, '.', width);
        ASSERT_EQ(line, "|" + expected);
        std::string written(expected.size() + 8, '#');
        ASSERT_EQ(WritePadLeft(written.data() + 1, text, '.', width), expected.size());
        ASSERT_EQ(written, "#" + expected + std::string(7, '#'));
    }
}

#include "engine/TextLayout.h"

#include <gtest/gtest.h>

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

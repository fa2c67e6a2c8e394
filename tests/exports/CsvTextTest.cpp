#include "exports/CsvText.h"

#include <gtest/gtest.h>

namespace varnholt::exports {
namespace {

TEST(CsvText, FieldsAreQuotedOnlyWhereTheFormatRequiresAndRowsEndInCrLf) {
    EXPECT_EQ(QuoteCsvField("AB"), "AB");
    EXPECT_EQ(QuoteCsvField(""), "");
    EXPECT_EQ(QuoteCsvField("A,B"), "\"A,B\"");
    EXPECT_EQ(QuoteCsvField("say \"A\""), "\"say \"\"A\"\"\"");
    EXPECT_EQ(QuoteCsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(QuoteCsvField("carriage\rreturn"), "\"carriage\rreturn\"");

    std::string text;
    AppendCsvRow(text, {"A", "", "B,C", "\"D\""});
    AppendCsvRow(text, {"E"});
    EXPECT_EQ(text, "A,,\"B,C\",\"\"\"D\"\"\"\r\nE\r\n");
}

} // namespace
} // namespace varnholt::exports

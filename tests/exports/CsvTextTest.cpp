#include "exports/CsvText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

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

// Rows of any number of fields, empty ones first, last and between, each with or without the
// characters that call for quotes, written after what the text holds: as the rules written out.
TEST(CsvText, EveryRowIsWrittenAsTheRulesSayWhateverItsFields) {
    const auto quoted = [](const std::string& field) {
        if (field.find_first_of(",\"\r\n") == std::string::npos)
            return field;
        std::string out = "\"";
        for (const char character : field)
            out += character == '"' ? std::string("\"\"") : std::string(1, character);
        return out + "\"";
    };
    const std::string alphabet = "ab1 ,\"\r\n-";
    std::mt19937 draw(4180); // fixed: the same rows on every run
    std::string text = "before\r\n";
    std::string expected = text;
    for (int row = 0; row < 3000; ++row) {
        std::vector<std::string> fields(std::uniform_int_distribution<std::size_t>(0, 6)(draw));
        for (std::string& field : fields) {
            const std::size_t length = std::uniform_int_distribution<std::size_t>(0, 3)(draw) == 0
                                           ? 0
                                           : std::uniform_int_distribution<std::size_t>(1, 12)(draw);
            // Mostly plain fields, as real rows are; now and then one that needs quotes.
            const std::size_t letters = std::uniform_int_distribution<int>(0, 5)(draw) == 0 ? alphabet.size() : 4;
            for (std::size_t i = 0; i < length; ++i)
                field += alphabet[std::uniform_int_distribution<std::size_t>(0, letters - 1)(draw)];
        }
        std::vector<std::string_view> views(fields.begin(), fields.end());
        switch (views.size()) { // an initializer list of as many fields as were drawn
        case 0: AppendCsvRow(text, {}); break;
        case 1: AppendCsvRow(text, {views[0]}); break;
        case 2: AppendCsvRow(text, {views[0], views[1]}); break;
        case 3: AppendCsvRow(text, {views[0], views[1], views[2]}); break;
        case 4: AppendCsvRow(text, {views[0], views[1], views[2], views[3]}); break;
        case 5: AppendCsvRow(text, {views[0], views[1], views[2], views[3], views[4]}); break;
        default: AppendCsvRow(text, {views[0], views[1], views[2], views[3], views[4], views[5]}); break;
        }
        for (std::size_t i = 0; i < fields.size(); ++i)
            expected += (i > 0 ? "," : "") + quoted(fields[i]);
        expected += "\r\n";
        ASSERT_EQ(text, expected) << "row " << row;
    }
}

} // namespace
} // namespace varnholt::exports

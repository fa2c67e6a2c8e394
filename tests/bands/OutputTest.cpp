#include "bands/JsonOutput.h"
#include "bands/Report.h"
#include "bands/TextOutput.h"

#include <gtest/gtest.h>

namespace varnholt::bands {
namespace {

Document SmallReport() {
    Report report;
    report.ReportPage().SetMargins(0.25, 0.25, 0.25, 0.25);
    report.ReportPage().SetPageHeaderOnFirstPage(false);
    Band& cover = report.AddReportHeader("ReportHeader");
    cover.AddLabel("RCoverSheet").SetLines({"\r", "   Cover \"A\"\\B\r"});
    Band& header = report.AddPageHeader("PageHeader");
    header.AddLabel("RHeader").SetLines({"Head"});
    Band& footer = report.AddPageFooter("PageFooter");
    footer.AddLabel("RFooter");
    Band& detail = report.AddDetail("Detail");
    detail.SetNewPage(true);
    detail.AddLabel("Body").SetLines({"  col1    col2", "\tx"});
    return report.Run();
}

TEST(Output, TextKeepsColumnsAndSeparatesPagesByFormFeeds) {
    EXPECT_EQ(ToText(SmallReport()), "\n   Cover \"A\"\\B\n\fHead\n  col1    col2\n\tx\n");
}

TEST(Output, JsonListsEveryPrintedLabelWithItsLinesAsSet) {
    EXPECT_EQ(ToJson(SmallReport()),
              "{\"pages\": ["
              "{\"number\": 1, \"labels\": ["
              "{\"name\": \"RCoverSheet\", \"lines\": [\"\\r\", \"   Cover \\\"A\\\"\\\\B\\r\"], "
              "\"continued\": false}, "
              "{\"name\": \"RFooter\", \"lines\": [], \"continued\": false}]}, "
              "{\"number\": 2, \"labels\": ["
              "{\"name\": \"RHeader\", \"lines\": [\"Head\"], \"continued\": false}, "
              "{\"name\": \"Body\", \"lines\": [\"  col1    col2\", \"\\tx\"], \"continued\": false}, "
              "{\"name\": \"RFooter\", \"lines\": [], \"continued\": false}]}]}\n");
}

// Texts are scanned for characters to escape sixteen and eight at a time: every byte at every
// place of a text of two blocks of sixteen, a word of eight and three more is escaped as the
// rules say, and only it.
TEST(Output, JsonEscapesEveryByteWhereverItStands) {
    const auto escaped = [](unsigned char byte) -> std::string {
        switch (byte) {
        case '"': return "\\\"";
        case '\\': return "\\\\";
        case '\r': return "\\r";
        case '\n': return "\\n";
        case '\t': return "\\t";
        case '\f': return "\\f";
        case '\b': return "\\b";
        default: break;
        }
        if (byte >= 0x20U)
            return std::string(1, static_cast<char>(byte));
        const char* hex = "0123456789abcdef";
        return std::string("\\u00") + hex[byte >> 4U] + hex[byte & 0x0FU];
    };
    for (unsigned byte = 0; byte < 256; ++byte) {
        for (std::size_t place = 0; place < 43; ++place) {
            std::string text(43, 'a');
            text[place] = static_cast<char>(byte);
            const std::string expected = "\"" + std::string(place, 'a') + escaped(static_cast<unsigned char>(byte)) +
                                         std::string(42 - place, 'a') + "\"";
            ASSERT_EQ(QuoteJson(text), expected) << "byte " << byte << " at " << place;
        }
    }
}

TEST(Output, EmptyDocument) {
    EXPECT_EQ(ToJson(Document{}), "{\"pages\": []}\n");
    EXPECT_EQ(ToText(Document{}), "");
}

} // namespace
} // namespace varnholt::bands
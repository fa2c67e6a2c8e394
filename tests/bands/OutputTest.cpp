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

TEST(Output, EmptyDocument) {
    EXPECT_EQ(ToJson(Document{}), "{\"pages\": []}\n");
    EXPECT_EQ(ToText(Document{}), "");
}

} // namespace
} // namespace varnholt::bands
#include "bands/Report.h"
#include "bands/TextOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace varnholt::bands {
namespace {

// A report of one page header ("Title" and the page number) and an output band that prints the
// given blocks of lines, one record each, with the given new-page setting.
struct BlockReport {
    Report report;
    Band* output = nullptr;
    Label* outputLabel = nullptr;
    std::vector<std::vector<std::string>> blocks;
    std::size_t next = 0;

    explicit BlockReport(std::vector<std::vector<std::string>> contents, bool newPage = false)
        : blocks(std::move(contents)) {
        report.ReportPage().SetMargins(0.25, 0.25, 0.25, 0.25);
        Band& header = report.AddPageHeader("Header");
        header.SetStretch(true);
        header.AddLabel("Title").SetLines({"Title", "Page No."});
        Label& pageNumber = header.AddLabel("PageNumber");
        pageNumber.SetVariable(LabelVariable::PageNumber);
        pageNumber.SetPosition(9 * 6.0, 10.5);
        Band& detail = report.AddDetail("Detail");
        output = &report.AddSubDataBand(detail, "Output");
        output->SetNewPage(newPage);
        output->SetStretch(true);
        outputLabel = &output->AddLabel("Lines");
        output->OnDataStart = [this](Band&) { next = 0; };
        output->OnAfterDataSkip = [this](Band&) { outputLabel->SetLines(blocks[next++]); };
        output->OnDataSkip = [this](Band& sender) { sender.SetDone(next == blocks.size()); };
    }
};

std::vector<std::string> Numbered(const std::string& prefix, int count) {
    std::vector<std::string> lines;
    for (int index = 1; index <= count; ++index) {
        lines.push_back(prefix + std::to_string(index));
    }
    return lines;
}

// The printed parts of one label over the document: page number, continued flag, line count.
std::vector<std::string> Parts(const Document& document, const std::string& name) {
    std::vector<std::string> parts;
    for (const auto& page : document.pages) {
        for (const auto& label : page.labels) {
            if (label.name == name) {
                parts.push_back(std::to_string(page.number) + (label.continued ? "+" : " ") +
                                std::to_string(label.lines.size()));
            }
        }
    }
    return parts;
}

TEST(Layout, BandsStackUnderThePageHeaderOnEveryPage) {
    // 10.5 printable inches hold 72 rows of 10.5 pt; the header takes 2, so 70 rows are left.
    BlockReport fixture({Numbered("a", 40), Numbered("b", 30), Numbered("c", 1)});
    const Document document = fixture.report.Run();
    ASSERT_EQ(document.pages.size(), 2U);
    EXPECT_EQ(Parts(document, "Lines"), (std::vector<std::string>{"1 40", "1 30", "2 1"}));
    EXPECT_EQ(Parts(document, "PageNumber"), (std::vector<std::string>{"1 1", "2 1"}));
    EXPECT_EQ(document.pages[1].labels[1].lines, std::vector<std::string>{"2"});

    const std::string text = ToText(document);
    const std::string secondPage = text.substr(text.find('\f') + 1);
    EXPECT_EQ(secondPage, "Title\nPage No. 2\nc1\n");
    // The first page's 70th content row is the last line of block b, right under the header.
    const std::string firstPage = text.substr(0, text.find('\f'));
    EXPECT_EQ(std::count(firstPage.begin(), firstPage.end(), '\n'), 72);
    EXPECT_NE(firstPage.find("\nb30\n"), std::string::npos);
}

TEST(Layout, ABandThatDoesNotFitStartsANewPage) {
    BlockReport fixture({Numbered("a", 40), Numbered("b", 31)});
    const Document document = fixture.report.Run();
    EXPECT_EQ(Parts(document, "Lines"), (std::vector<std::string>{"1 40", "2 31"}));
}

TEST(Layout, NewPageBandsBeginEachOnTheirOwnPageButNeverLeaveAnEmptyOne) {
    BlockReport fixture({{"one"}, {"two"}, {"three"}}, true);
    const Document document = fixture.report.Run();
    EXPECT_EQ(Parts(document, "Lines"), (std::vector<std::string>{"1 1", "2 1", "3 1"}));
}

TEST(Layout, AStretchedBandTallerThanAPageContinuesWithoutLosingALine) {
    BlockReport fixture({{"before"}, Numbered("line", 150)});
    const Document document = fixture.report.Run();
    // 69 rows are left under "before" on page 1... but the block does not fit, so it starts on
    // page 2 and runs on over pages 3 and 4 (70 rows each).
    EXPECT_EQ(Parts(document, "Lines"), (std::vector<std::string>{"1 1", "2 70", "3+70", "4+10"}));
    std::vector<std::string> all;
    for (const auto& page : document.pages) {
        for (const auto& label : page.labels) {
            if (label.name == "Lines") {
                all.insert(all.end(), label.lines.begin(), label.lines.end());
            }
        }
    }
    all.erase(all.begin());
    EXPECT_EQ(all, Numbered("line", 150));
    const std::string text = ToText(document);
    EXPECT_NE(text.find("Title\nPage No. 4\nline141\n"), std::string::npos);
}

TEST(Layout, UnstretchedBandsKeepTheirHeightAndStretchedOnesFitTheirContent) {
    Report report;
    Band& detail = report.AddDetail("Detail");
    Band& tall = report.AddSubBand(detail, "Tall");
    tall.SetHeight(100.0);
    tall.AddLabel("A").SetLines({"a"});
    Band& fitted = report.AddSubBand(detail, "Fitted");
    fitted.SetHeight(100.0);
    fitted.SetStretch(true);
    fitted.AddLabel("B").SetLines({"b"});
    Band& after = report.AddSubBand(detail, "After");
    after.AddLabel("C").SetLines({"c", "d"});
    const Document document = report.Run();
    ASSERT_EQ(document.pages.size(), 1U);
    const auto& texts = document.pages[0].texts;
    ASSERT_EQ(texts.size(), 4U);
    EXPECT_DOUBLE_EQ(texts[0].top, 36.0);
    EXPECT_DOUBLE_EQ(texts[1].top, 136.0);
    EXPECT_DOUBLE_EQ(texts[2].top, 146.5);
    EXPECT_DOUBLE_EQ(texts[3].top, 157.0);
}

TEST(Layout, WordWrapAlignmentAndCarriageReturns) {
    Report report;
    report.ReportPage().SetMargins(1.0, 1.0, 1.0, 1.0);
    Band& detail = report.AddDetail("Detail");
    Label& wrapped = detail.AddLabel("Wrapped");
    wrapped.SetWordWrap(true);
    wrapped.SetWidth(10 * 6.0);
    wrapped.SetLines({"the quick brown fox\r", "abcdefghijklmnop"});
    Label& right = detail.AddLabel("Right");
    right.SetPosition(0.0, 4 * 10.5);
    right.SetWidth(20 * 6.0);
    right.SetAlignment(Alignment::Right);
    right.SetLines({"end\r"});
    const Document document = report.Run();
    EXPECT_EQ(ToText(document), "the quick\nbrown fox\nabcdefghij\nklmnop\n                 end\n");
    // The label keeps its lines as the program set them.
    EXPECT_EQ(document.pages[0].labels[0].lines,
              (std::vector<std::string>{"the quick brown fox\r", "abcdefghijklmnop"}));
}

TEST(Layout, PageFooterSitsAtTheBottomAndReservesItsSpace) {
    Report report;
    Band& footer = report.AddPageFooter("Footer");
    footer.AddLabel("Foot").SetLines({"foot"});
    Band& detail = report.AddDetail("Detail");
    detail.SetStretch(true);
    detail.AddLabel("Body").SetLines(Numbered("x", 120));
    const Document document = report.Run();
    // 10 printable inches: 68 rows of 10.5 pt and one of them for the footer.
    EXPECT_EQ(Parts(document, "Body"), (std::vector<std::string>{"1 67", "2+53"}));
    EXPECT_EQ(Parts(document, "Foot"), (std::vector<std::string>{"1 1", "2 1"}));
    EXPECT_DOUBLE_EQ(document.pages[1].texts.back().top, 756.0 - 10.5);
}

TEST(Layout, DateTimeLabelShowsTheInjectedClock) {
    Report report;
    std::tm fixed{};
    fixed.tm_year = 2026 - 1900;
    fixed.tm_mon = 11;
    fixed.tm_mday = 9;
    fixed.tm_hour = 7;
    fixed.tm_min = 5;
    report.SetClock([fixed] { return fixed; });
    Band& header = report.AddReportHeader("Header");
    header.AddLabel("When").SetVariable(LabelVariable::DateTime);
    EXPECT_EQ(ToText(report.Run()), "09.12.2026 07:05\n");
}

} // namespace
} // namespace varnholt::bands
#include "report/Printouts.h"

#include "bands/Label.h"
#include "engine/TextLayout.h"

#include <gtest/gtest.h>

namespace varnholt::report {
namespace {

GenerationState BrandtSixPin() {
    GenerationState state;
    state.MfgName = "BRANDT";
    state.Chambers = 6;
    state.TopMasterKey = "246135";
    state.ProgressionSteps = 2;
    const char* rows[] = {"", "46", "68", "80", "35", "57", "79"};
    for (std::size_t chamber = 1; chamber <= 6; ++chamber)
        for (std::size_t column = 1; column <= 2; ++column)
            state.ProgressionTable[chamber][column] = std::string(1, rows[chamber][column - 1]);
    return state;
}

void Fill(ReportState& report, int count, const std::string& prefix) {
    for (int i = 1; i <= count; ++i)
        report.AddEntry(prefix + std::to_string(i));
}

TEST(CoverSheetAndHeader, NameTheSystemAndLayTheArrayOut) {
    GenerationState state = BrandtSixPin();
    ReportState report;
    bands::Label cover("RCoverSheet");
    BuildCoverSheet(state, report, cover);
    const std::vector<std::string>& lines = cover.Lines();
    ASSERT_EQ(lines.size(), 4U + 1 + 3 + 2 + 3 + 1 + 2);
    EXPECT_EQ(lines[0], "\r");
    EXPECT_EQ(lines[4], std::string(39, ' ') + "BRANDT 6 Pin\r");
    EXPECT_EQ(lines[8], std::string(30, ' ') + "The Master Key       = 246135\r");
    EXPECT_EQ(lines[9], std::string(45, ' ') + "\r") << "the empty control-key line is centred, then ends";
    EXPECT_EQ(lines[13], std::string(43, ' ') + "KBA\r");
    EXPECT_EQ(lines[14], std::string(37, ' ') + "4  6  8  3  5  7");
    EXPECT_EQ(lines[15], std::string(37, ' ') + "6  8  0  5  7  9");
    EXPECT_TRUE(report.ReportLines.empty());

    state.MasterCount = 3;
    state.IsICore = true;
    state.ControlKey = "135792";
    bands::Label header("RHeader");
    BuildPageHeader(state, report, header);
    ASSERT_EQ(header.Lines().size(), 6U);
    EXPECT_EQ(header.Lines()[0], std::string(10, ' ') + std::string(70, '*'));
    EXPECT_EQ(header.Lines()[2], std::string(30, ' ') + "The Grand Master Key = 246135");
    EXPECT_EQ(header.Lines()[3], std::string(30, ' ') + "The Control Key      = 135792");
    EXPECT_EQ(header.Lines()[4], std::string(57, ' ') + "Page No.");
    EXPECT_EQ(header.Lines()[5], std::string(10, ' ') + std::string(70, '*') + "\r");
}

TEST(MasterList, StandsFourToALineUnderAHeading) {
    ReportState report;
    Fill(report, 6, "M");
    LayOutMasterList(report);
    ASSERT_EQ(report.ReportLines.size(), 3U);
    EXPECT_EQ(report.ReportLines[0], "       Master" + std::string(18, ' ') + "Master" +
                                         std::string(18, ' ') + "Master" + std::string(18, ' ') + "Master");
    EXPECT_EQ(report.ReportLines[1], std::string(13, ' ') + "M1" + std::string(22, ' ') + "M2" +
                                         std::string(22, ' ') + "M3" + std::string(22, ' ') + "M4");
    EXPECT_EQ(report.ReportLines[2], std::string(13, ' ') + "M5" + std::string(22, ' ') + "M6");
    EXPECT_EQ(report.LineCount, 3);
    EXPECT_FALSE(report.PageFull);
}

TEST(MasterList, AnEmptyTableGivesNoLine) {
    ReportState report;
    LayOutMasterList(report);
    LayOutChangeKeyColumns(report);
    LayOutSubMasterBlock(report);
    EXPECT_TRUE(report.ReportLines.empty());
    EXPECT_EQ(report.LineCount, 0);
}

TEST(SubMasterBlock, MasterWithSixSubMastersGivesHeadingBlankTwoRowsAndSeparator) {
    ReportState report;
    report.AddEntry("C   466135");
    Fill(report, 6, "CA");
    LayOutSubMasterBlock(report);
    ASSERT_EQ(report.ReportLines.size(), 5U);
    EXPECT_EQ(report.ReportLines[0], CentreText("Master Key  C   466135", 90));
    EXPECT_EQ(report.ReportLines[1], " ");
    EXPECT_EQ(
        report.ReportLines[2],
        CentreText("CA1" + PadLeft("CA2", ' ', 15) + PadLeft("CA3", ' ', 15) + PadLeft("CA4", ' ', 15), 90));
    EXPECT_EQ(report.ReportLines[3], CentreText("CA5" + PadLeft("CA6", ' ', 15), 90));
    EXPECT_EQ(report.ReportLines[4], CentreText(std::string(70, '*'), 90));
    EXPECT_EQ(report.LineCount, 5);
    EXPECT_TRUE(report.LinesBuilt);
}

TEST(SubMasterBlock, FourSubMastersGiveOneRowAndNoEmptyOne) {
    ReportState report;
    report.AddEntry("A   466135");
    Fill(report, 4, "AA");
    LayOutSubMasterBlock(report);
    EXPECT_EQ(report.ReportLines.size(), 4U);
    EXPECT_EQ(report.LineCount, 4);
}

TEST(ChangeKeyColumns, TwoHundredEntriesFillFourColumnsOfFifty) {
    ReportState report;
    Fill(report, 200, "K");
    LayOutChangeKeyColumns(report);
    ASSERT_EQ(report.ReportLines.size(), 50U);
    EXPECT_EQ(report.ReportLines[0], PadLeft("K1", ' ', 20) + PadLeft("K51", ' ', 20) +
                                         PadLeft("K101", ' ', 20) + PadLeft("K151", ' ', 20));
    EXPECT_EQ(report.ReportLines[49], PadLeft("K50", ' ', 20) + PadLeft("K100", ' ', 20) +
                                          PadLeft("K150", ' ', 20) + PadLeft("K200", ' ', 20));
    EXPECT_TRUE(report.PageFull);
    EXPECT_EQ(report.LineCount, 0);
}

TEST(ChangeKeyColumns, FewerThanFiftyOneEntriesStandInOneColumn) {
    ReportState report;
    Fill(report, 30, "K");
    LayOutChangeKeyColumns(report);
    ASSERT_EQ(report.ReportLines.size(), 30U);
    EXPECT_EQ(report.ReportLines[29], PadLeft("K30", ' ', 20));
    EXPECT_FALSE(report.PageFull);
}

} // namespace
} // namespace varnholt::report

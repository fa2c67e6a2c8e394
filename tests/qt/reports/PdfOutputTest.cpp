#include "ApplicationFixture.h"
#include "SampleReport.h"

#include "bands/Paper.h"
#include "bands/TextOutput.h"
#include "qt/reports/PdfOutput.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace varnholt::qtreports {
namespace {

using PdfOutput = ApplicationFixture;

TEST_F(PdfOutput, TextReadBackEqualsTheTextOutputLineForLineOnLetterAndOnA4) {
    for (const bands::Paper paper : {bands::Paper::Letter, bands::Paper::A4}) {
        SCOPED_TRACE(std::string(bands::PaperName(paper)));
        bands::Document document = SampleDocument(3);
        bands::PlaceOnPaper(document, paper);
        const std::filesystem::path pdf = folder / "sample.pdf";
        const OutputResult result = WritePdf(document, pdf);
        ASSERT_TRUE(result.succeeded) << result.message;
        const auto text = ReadPdfText(pdf, document);
        if (!text) {
            GTEST_SKIP()
                << "pdftotext is not installed (package poppler-utils); the PDF text cannot be read back";
        }
        const auto expected = NormalisedPages(QString::fromStdString(bands::ToText(document)));
        const auto actual = NormalisedPages(*text);
        ASSERT_EQ(expected.size(), 3U);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t page = 0; page < expected.size(); ++page) {
            ASSERT_EQ(actual[page].size(), expected[page].size()) << "page " << page + 1;
            for (std::size_t row = 0; row < expected[page].size(); ++row) {
                EXPECT_EQ(actual[page][row].toStdString(), expected[page][row].toStdString())
                    << "page " << page + 1 << " row " << row + 1;
            }
        }
    }
}

TEST_F(PdfOutput, AnUnwritablePlaceIsReportedNotIgnored) {
    const OutputResult result = WritePdf(SampleDocument(1), folder / "missing" / "folder" / "out.pdf");
    EXPECT_FALSE(result.succeeded);
    EXPECT_NE(result.message.find("could not be written"), std::string::npos) << result.message;
}

TEST_F(PdfOutput, AFullDiskIsReportedNotIgnored) {
    const std::filesystem::path full = "/dev/full";
    if (!std::filesystem::exists(full)) {
        GTEST_SKIP() << "no device that is always full";
    }
    const OutputResult result = WritePdf(SampleDocument(3), full);
    EXPECT_FALSE(result.succeeded);
    EXPECT_NE(result.message.find("could not be"), std::string::npos) << result.message;
}

} // namespace
} // namespace varnholt::qtreports
#include "ApplicationFixture.h"
#include "SampleReport.h"

#include "bands/TextOutput.h"
#include "qt/reports/Printing.h"

#include "PrintJobWait.h"

#include <QPrinterInfo>

#include <cstdlib>
#include <fstream>

namespace varnholt::qtreports {
namespace {

using PrintQueue = ApplicationFixture;

TEST_F(PrintQueue, AQueueThatDoesNotExistIsRefusedWithItsName) {
    const OutputResult result = PrintToQueue(SampleDocument(1), "NoSuchQueue42");
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.message, "The print queue \"NoSuchQueue42\" does not exist.");
}

// Needs a running print queue; CTest starts one with scripts/print-queue.sh and names it in
// VARNHOLT_PRINT_QUEUE and its output folder in VARNHOLT_PRINT_FOLDER.
TEST_F(PrintQueue, PrintsThroughARealQueueAndTheTextComesOutIntact) {
    const char* queue = std::getenv("VARNHOLT_PRINT_QUEUE");
    const char* output = std::getenv("VARNHOLT_PRINT_FOLDER");
    if (queue == nullptr || output == nullptr) {
        GTEST_SKIP() << "no print queue set up (VARNHOLT_PRINT_QUEUE and VARNHOLT_PRINT_FOLDER unset); "
                        "the CTest test qt_reports_print_queue runs this with scripts/print-queue.sh";
    }
    const std::filesystem::path outputFolder(output);
    if (QPrinterInfo::printerInfo(QString::fromUtf8(queue)).isNull()) {
        std::string reason = "the print queue " + std::string(queue) + " is not available";
        if (std::filesystem::exists(outputFolder / "print-queue-unavailable")) {
            std::ifstream file(outputFolder / "print-queue-unavailable");
            std::getline(file, reason);
        }
        GTEST_SKIP() << "cannot print here: " << reason;
    }
    bands::Document document = SampleDocument(2);
    document.title = "BandsQueueTest";
    varnholt::testing::ClearSpoolFolder(outputFolder);
    const OutputResult result = PrintToQueue(document, queue);
    ASSERT_TRUE(result.succeeded) << result.message;

    const varnholt::testing::PrintedPdf printed = varnholt::testing::WaitForPrintedPdf(queue, outputFolder);
    ASSERT_FALSE(printed.file.empty()) << printed.failure;
    const std::filesystem::path produced = printed.file;
    const auto text = ReadPdfText(produced, document);
    if (!text) {
        GTEST_SKIP() << "pdftotext is not installed; the printed PDF cannot be read back";
    }
    const auto expected = NormalisedPages(QString::fromStdString(bands::ToText(document)));
    const auto actual = NormalisedPages(*text);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t page = 0; page < expected.size(); ++page) {
        ASSERT_EQ(actual[page].size(), expected[page].size()) << "page " << page + 1;
        for (std::size_t row = 0; row < expected[page].size(); ++row) {
            EXPECT_EQ(actual[page][row].toStdString(), expected[page][row].toStdString())
                << "page " << page + 1 << " row " << row + 1;
        }
    }
}

} // namespace
} // namespace varnholt::qtreports
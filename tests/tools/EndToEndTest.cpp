#include "BatchTestSupport.h"
#include "PrintJobWait.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>

namespace varnholt::tools::testing {
namespace {

// Runs a shell command line and returns its exit status.
int Shell(const std::string& commandLine, const std::filesystem::path& folder) {
    const std::filesystem::path statusFile = folder / "status";
    const std::string wrapped = "(" + commandLine + "); echo $? > '" + statusFile.string() + "'";
    std::system(wrapped.c_str());
    const std::string status = ReadWholeFile(statusFile);
    std::filesystem::remove(statusFile);
    return status.empty() ? -1 : std::stoi(status);
}

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() {
        database = folder.Path() / "Varnholt.MFG";
        WriteDatabase(database, SampleManufacturers());
    }

    std::string Command(const std::string& options) const {
        return std::string("'") + VARNHOLT_REPORT_COMMAND + "' --database '" + database.string() +
               "' --manufacturer BRANDT --chambers 6 --master-key 246135 --masters 10 --sub-masters 3 --keys "
               "5 " +
               options;
    }

    static bool HavePdfToText() { return std::system("pdftotext -v > /dev/null 2>&1") == 0; }

    std::string PdfText(const std::filesystem::path& pdf) const {
        const std::filesystem::path text = folder.Path() / "pdf.txt";
        Shell("pdftotext -layout '" + pdf.string() + "' '" + text.string() + "'", folder.Path());
        return ReadWholeFile(text);
    }

    ScratchFolder folder;
    std::filesystem::path database;
};

TEST_F(EndToEnd, WritesAPdfWithTheReportsText) {
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const std::filesystem::path piped = folder.Path() / "piped.pdf";
    ASSERT_EQ(Shell(Command("> '" + piped.string() + "' 2> '" + (folder.Path() / "err").string() + "'"),
                    folder.Path()),
              0)
        << ReadWholeFile(folder.Path() / "err");
    EXPECT_EQ(ReadWholeFile(folder.Path() / "err"),
              "varnholt-report: note: Fewer change keys are listed than asked: 110 of 150. Under 8 of the "
              "30 sub-masters there are too few usable ones (518 left out with '*').\n")
        << "a batch command keeps standard error for messages";
    EXPECT_EQ(ReadWholeFile(piped).substr(0, 5), "%PDF-");
    const std::string text = PdfText(piped);
    EXPECT_NE(text.find("BRANDT 6 Pin"), std::string::npos);
    EXPECT_NE(text.find("Master Key A"), std::string::npos);
    EXPECT_NE(text.find("AA   468135"), std::string::npos);

    // On A4 the same text, nothing cut off, on the A4 sheet.
    const std::filesystem::path a4 = folder.Path() / "a4.pdf";
    ASSERT_EQ(Shell(Command("--paper a4 --output '" + a4.string() + "'"), folder.Path()), 0);
    // -layout spaces the columns by their positions; every character must be there.
    const auto words = [](const std::string& layout) {
        std::string collapsed;
        for (const char character : layout)
            if (character != ' ' || (!collapsed.empty() && collapsed.back() != ' '))
                collapsed += character;
        return collapsed;
    };
    EXPECT_EQ(words(PdfText(a4)), words(text));
    Shell("pdfinfo '" + a4.string() + "' > '" + (folder.Path() / "info").string() + "'", folder.Path());
    EXPECT_NE(ReadWholeFile(folder.Path() / "info").find("(A4)"), std::string::npos)
        << ReadWholeFile(folder.Path() / "info");
}

TEST_F(EndToEnd, KeyingScheduleAndLostKeyListArePdfsOnLetterAndA4) {
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const std::filesystem::path doors = folder.Path() / "doors.csv";
    std::ofstream(doors) << "Door,Keyed To,Location\n101,AA 1;AB 2,Store\n102,AA *,Wing\n";
    const std::string doorList = "--doors '" + doors.string() + "' ";
    const std::filesystem::path letter = folder.Path() / "schedule.pdf";
    ASSERT_EQ(Shell(Command(doorList + "--report doors --output '" + letter.string() + "' 2>/dev/null"),
                    folder.Path()),
              0);
    const std::string text = PdfText(letter);
    EXPECT_NE(text.find("Keying Schematic"), std::string::npos);
    EXPECT_NE(text.find("keys open this door although they are not meant to"), std::string::npos) << text;
    const std::filesystem::path a4 = folder.Path() / "schedule-a4.pdf";
    ASSERT_EQ(Shell(Command(doorList + "--report doors --paper a4 --output '" + a4.string() + "' 2>/dev/null"),
                    folder.Path()),
              0);
    Shell("pdfinfo '" + a4.string() + "' > '" + (folder.Path() / "info").string() + "'", folder.Path());
    EXPECT_NE(ReadWholeFile(folder.Path() / "info").find("(A4)"), std::string::npos);

    const std::filesystem::path lost = folder.Path() / "lost.pdf";
    ASSERT_EQ(Shell(Command(doorList + "--lost-key AB --output '" + lost.string() + "' 2>/dev/null"), folder.Path()),
              0);
    EXPECT_NE(PdfText(lost).find("Key AB opens 1 of the 2 doors"), std::string::npos) << PdfText(lost);
}

// Runs inside CTest's PrintQueue fixture, which names its queue and spool folder in
// VARNHOLT_PRINT_QUEUE and VARNHOLT_PRINT_FOLDER.
TEST_F(EndToEnd, PrintsOnARealQueueAndRefusesAMissingOne) {
    EXPECT_EQ(Shell(Command("--printer NoSuchVarnholtQueue 2> /dev/null"), folder.Path()), ExitFileFailure);

    const char* queue = std::getenv("VARNHOLT_PRINT_QUEUE");
    const char* spoolFolder = std::getenv("VARNHOLT_PRINT_FOLDER");
    if (queue == nullptr || spoolFolder == nullptr)
        GTEST_SKIP() << "no print queue set up; CTest runs this case inside its PrintQueue fixture";
    const std::filesystem::path spool(spoolFolder);
    if (Shell("lpstat -p '" + std::string(queue) + "' > /dev/null 2>&1", folder.Path()) != 0)
        GTEST_SKIP() << "no print queue on this machine: "
                     << ReadWholeFile(spool / "print-queue-unavailable");
    varnholt::testing::ClearSpoolFolder(spool);
    EXPECT_EQ(Shell(Command("--printer " + std::string(queue)), folder.Path()), ExitDone);
    const varnholt::testing::PrintedPdf printed = varnholt::testing::WaitForPrintedPdf(queue, spool);
    ASSERT_FALSE(printed.file.empty()) << printed.failure;
    if (HavePdfToText()) {
        EXPECT_NE(PdfText(printed.file).find("Master Key A"), std::string::npos);
    }
}

TEST_F(EndToEnd, ParallelRunsDrawDifferentRandomMasters) {
    // Started together, runs seeded from the clock drew the same keys; 100 of 10 million
    // possible keys agree by chance about once in 2,000 runs of this test.
    const std::string run = std::string("'") + VARNHOLT_REPORT_COMMAND + "' --database '" +
                            database.string() +
                            "' --manufacturer KESSLER --chambers 7 --master-key random --keys 1 --format csv";
    ASSERT_EQ(Shell("for i in $(seq 100); do " + run + " > /dev/null 2> '" + folder.Path().string() +
                        "'/key.$i & done; wait",
                    folder.Path()),
              0);
    std::set<std::string> keys;
    for (int i = 1; i <= 100; ++i) {
        const std::string said = ReadWholeFile(folder.Path() / ("key." + std::to_string(i)));
        ASSERT_EQ(said.rfind("varnholt-report: top master key drawn: ", 0), 0U) << said;
        keys.insert(said.substr(39, 7));
    }
    EXPECT_EQ(keys.size(), 100U) << "duplicates among 100 parallel random masters: " << 100 - keys.size();
}

} // namespace
} // namespace varnholt::tools::testing

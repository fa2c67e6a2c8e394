#include "BatchTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#ifdef VARNHOLT_REPORT_COMMAND

namespace varnholt::tools::testing {
namespace {

// Runs a shell command line and returns its exit status.
int Shell(const std::string& commandLine, const std::filesystem::path& folder)
{
    const std::filesystem::path statusFile = folder / "status";
    const std::string wrapped = "(" + commandLine + "); echo $? > '" + statusFile.string() + "'";
    std::system(wrapped.c_str());
    const std::string status = ReadWholeFile(statusFile);
    std::filesystem::remove(statusFile);
    return status.empty() ? -1 : std::stoi(status);
}

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd()
    {
        database = folder.Path() / "Varnholt.MFG";
        WriteDatabase(database, SampleManufacturers());
    }

    std::string Command(const std::string& options) const
    {
        return std::string("'") + VARNHOLT_REPORT_COMMAND + "' --database '" + database.string() +
               "' --manufacturer BRANDT --chambers 6 --master-key 246135 --masters 10 --sub-masters 3 --keys 5 " +
               options;
    }

    static bool HavePdfToText() { return std::system("pdftotext -v > /dev/null 2>&1") == 0; }

    std::string PdfText(const std::filesystem::path& pdf) const
    {
        const std::filesystem::path text = folder.Path() / "pdf.txt";
        Shell("pdftotext -layout '" + pdf.string() + "' '" + text.string() + "'", folder.Path());
        return ReadWholeFile(text);
    }

    ScratchFolder folder;
    std::filesystem::path database;
};

TEST_F(EndToEnd, WritesAPdfWithTheReportsText)
{
    if (!HavePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const std::filesystem::path piped = folder.Path() / "piped.pdf";
    ASSERT_EQ(Shell(Command("> '" + piped.string() + "' 2> '" + (folder.Path() / "err").string() + "'"),
                    folder.Path()),
              0)
        << ReadWholeFile(folder.Path() / "err");
    EXPECT_EQ(ReadWholeFile(folder.Path() / "err"), "") << "a batch command keeps standard error for messages";
    EXPECT_EQ(ReadWholeFile(piped).substr(0, 5), "%PDF-");
    const std::string text = PdfText(piped);
    EXPECT_NE(text.find("BRANDT 6 Pin"), std::string::npos);
    EXPECT_NE(text.find("Master Key A"), std::string::npos);
    EXPECT_NE(text.find("AA   468135"), std::string::npos);
}

TEST_F(EndToEnd, PrintsOnARealQueueAndRefusesAMissingOne)
{
    EXPECT_EQ(Shell(Command("--printer NoSuchVarnholtQueue 2> /dev/null"), folder.Path()), ExitFileFailure);

    const std::filesystem::path spool = folder.Path() / "spool";
    const std::string script = VARNHOLT_PRINT_QUEUE_SCRIPT;
    const std::string queue = "VarnholtReportTest";
    if (Shell("'" + script + "' start " + queue + " '" + spool.string() + "' > /dev/null 2>&1", folder.Path()) != 0)
        GTEST_SKIP() << "no print queue on this machine: " << ReadWholeFile(spool / "print-queue-unavailable");
    const int status = Shell(Command("--printer " + queue), folder.Path());
    std::filesystem::path printed;
    for (int attempt = 0; attempt < 100 && printed.empty(); ++attempt) {
        for (const auto& entry : std::filesystem::directory_iterator(spool))
            if (entry.path().extension() == ".pdf")
                printed = entry.path();
        if (printed.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    Shell("'" + script + "' stop " + queue + " '" + spool.string() + "' > /dev/null 2>&1", folder.Path());
    EXPECT_EQ(status, ExitDone);
    ASSERT_FALSE(printed.empty()) << "the print job never arrived";
    if (HavePdfToText()) {
        EXPECT_NE(PdfText(printed).find("Master Key A"), std::string::npos);
    }
}

} // namespace
} // namespace varnholt::tools::testing

#endif

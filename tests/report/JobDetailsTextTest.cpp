#include "report/JobDetailsText.h"

#include "bands/FontMetrics.h"
#include "bands/Label.h"

#include <gtest/gtest.h>

namespace varnholt::report {
namespace {

const std::string Indent(10, ' ');

TEST(JobDetailsText, GoUnderTheCoverSheetWrappedAndOnlyWhenGiven) {
    bands::Label cover("RCoverSheet");
    cover.SetLines({"\r", "KBA"});
    AddJobDetailsToCoverSheet(JobDetails{}, cover);
    EXPECT_EQ(cover.Lines(), (std::vector<std::string>{"\r", "KBA"}));

    JobDetails job;
    job.customer = "Müller & Söhne";
    job.jobNumber = "2026/114";
    job.notes = "Wing B\r\nKeys\twith the caretaker\n" + std::string(60, 'x') + " and a last word";
    AddJobDetailsToCoverSheet(job, cover);
    EXPECT_EQ(cover.Lines(), (std::vector<std::string>{
                                 "\r",
                                 "KBA",
                                 "\r",
                                 "\r",
                                 "\r",
                                 Indent + "Customer: Müller & Söhne",
                                 Indent + "Job No.:  2026/114",
                                 Indent + "Notes:    Wing B",
                                 Indent + "          Keys with the caretaker",
                                 Indent + "          " + std::string(60, 'x') + " and a",
                                 Indent + "          last word",
                             }));
}

TEST(JobDetailsText, PutTheJobNumberBesideThePageNumberWithoutReachingIt) {
    const std::vector<std::string> header{"***", std::string(57, ' ') + "Page No.", "***\r"};
    bands::Label label("RHeader");
    label.SetLines(header);
    AddJobNumberToPageHeader(JobDetails{"Customer only", "", "", ""}, label);
    EXPECT_EQ(label.Lines(), header);

    AddJobNumberToPageHeader(JobDetails{"", "", "Ü-114", ""}, label);
    EXPECT_EQ(label.Lines()[1], Indent + "Job No. Ü-114" + std::string(34, ' ') + "Page No.");

    label.SetLines(header);
    AddJobNumberToPageHeader(JobDetails{"", "", std::string(80, '7'), ""}, label);
    EXPECT_EQ(label.Lines()[1], Indent + "Job No. " + std::string(36, '7') + "…  Page No.");
    EXPECT_EQ(bands::VisibleCharacterCount(label.Lines()[1]), 65U);
}

} // namespace
} // namespace varnholt::report

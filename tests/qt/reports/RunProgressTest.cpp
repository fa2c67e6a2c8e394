#include "ApplicationFixture.h"

#include "qt/reports/RunProgress.h"

namespace varnholt::qtreports {
namespace {

using RunProgressTest = ApplicationFixture;

// A report that prints one line per page, for ever unless stopped.
struct EndlessReport {
    bands::Report report;
    int records = 0;
    EndlessReport() {
        bands::Band& detail = report.AddDetail("Detail");
        bands::Band& pages = report.AddSubDataBand(detail, "Pages");
        pages.SetNewPage(true);
        bands::Label& label = pages.AddLabel("Line");
        pages.OnAfterDataSkip = [this, &label](bands::Band&) {
            label.SetLines({"page " + std::to_string(++records)});
        };
        pages.OnDataSkip = [](bands::Band&) {};
    }
};

TEST_F(RunProgressTest, CancelAbortsTheRunAndKeepsThePagesSoFar) {
    EndlessReport endless;
    RunProgress progress(endless.report, nullptr);
    bands::Band& pages = *endless.report.FindBand("Pages");
    const auto next = pages.OnAfterDataSkip;
    pages.OnAfterDataSkip = [&](bands::Band& band) {
        next(band);
        if (endless.records == 5) {
            progress.Dialog().cancel();
        }
    };
    const bands::Document document = endless.report.Run();
    EXPECT_TRUE(document.aborted);
    EXPECT_EQ(document.pages.size(), 5U);
}

TEST_F(RunProgressTest, ARunAfterwardsIsNoLongerWatched) {
    EndlessReport endless;
    {
        RunProgress progress(endless.report, nullptr);
        progress.Dialog().cancel();
    }
    bands::Band& pages = *endless.report.FindBand("Pages");
    pages.OnDataSkip = [&endless](bands::Band& band) { band.SetDone(endless.records == 3); };
    const bands::Document document = endless.report.Run();
    EXPECT_FALSE(document.aborted);
    EXPECT_EQ(document.pages.size(), 3U);
}

} // namespace
} // namespace varnholt::qtreports
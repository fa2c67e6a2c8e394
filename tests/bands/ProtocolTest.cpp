#include "bands/Report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnholt::bands {
namespace {

// A sub-data band that counts its records up to a limit and logs every event.
struct CountingBand {
    Band* band = nullptr;
    int limit = 0;
    int record = 0;
};

void Instrument(CountingBand& counting, std::vector<std::string>& log) {
    Band& band = *counting.band;
    band.OnDataStart = [&counting, &log](Band& sender) {
        counting.record = 0;
        log.push_back(sender.Name() + ".start");
    };
    band.OnAfterDataSkip = [&counting, &log](Band& sender) {
        ++counting.record;
        log.push_back(sender.Name() + ".after" + std::to_string(counting.record));
    };
    band.OnDataSkip = [&counting, &log](Band& sender) {
        log.push_back(sender.Name() + ".skip");
        if (counting.record >= counting.limit) {
            sender.SetDone(true);
        }
    };
}

// The first visible label's lines on each page, as the log of what printed.
std::vector<std::string> PrintedNames(const Document& document) {
    std::vector<std::string> names;
    for (const auto& page : document.pages) {
        for (const auto& label : page.labels) {
            names.push_back(label.name + (label.lines.empty() ? std::string() : ":" + label.lines.front()));
        }
    }
    return names;
}

TEST(Protocol, NestedBandsRunAfterSkipBeforeTheRecordAndSkipAfterItsChildren) {
    Report report;
    std::vector<std::string> log;
    report.ReportPage().OnDataStart = [&log](Page&) { log.push_back("page.start"); };
    report.ReportPage().OnDataSkip = [&log](Page& page) {
        log.push_back("page.skip");
        page.SetDone(true);
    };
    Band& detail = report.AddDetail("Detail");
    CountingBand outer{&report.AddSubDataBand(detail, "Outer"), 2};
    CountingBand inner{&report.AddSubDataBand(*outer.band, "Inner"), 2};
    Instrument(outer, log);
    Instrument(inner, log);

    report.Run();

    const std::vector<std::string> expected{
        "page.start",   "Outer.start",  "Outer.after1", "Inner.start",  "Inner.after1", "Inner.skip",
        "Inner.after2", "Inner.skip",   "Outer.skip",   "Outer.after2", "Inner.start",  "Inner.after1",
        "Inner.skip",   "Inner.after2", "Inner.skip",   "Outer.skip",   "page.skip"};
    EXPECT_EQ(log, expected);
}

TEST(Protocol, DoneSetInEachHandlerStopsTheLoopAtThatPoint) {
    struct Case {
        const char* handler;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"start", {"start"}},
        {"after", {"start", "after"}},
        {"skip", {"start", "after", "print", "skip"}},
    };
    for (const Case& testCase : cases) {
        Report report;
        std::vector<std::string> log;
        Band& detail = report.AddDetail("Detail");
        Band& band = report.AddSubDataBand(detail, "Band");
        // A child band logs each time its parent record prints.
        Band& child = report.AddSubDataBand(band, "Child");
        const std::string which = testCase.handler;
        band.OnDataStart = [&log, which](Band& sender) {
            log.push_back("start");
            sender.SetDone(which == "start");
        };
        band.OnAfterDataSkip = [&log, which](Band& sender) {
            log.push_back("after");
            sender.SetDone(which == "after");
        };
        band.OnDataSkip = [&log, which](Band& sender) {
            log.push_back("skip");
            sender.SetDone(which == "skip");
        };
        child.OnDataStart = [&log](Band& sender) {
            log.push_back("print");
            sender.SetDone(true);
        };
        report.Run();
        EXPECT_EQ(log, testCase.expected) << "done set in " << testCase.handler;
    }
}

TEST(Protocol, DoneIsClearedBeforeEachStartAndBandsWithoutSkipHandlerRunOnce) {
    Report report;
    Band& detail = report.AddDetail("Detail");
    Band& outer = report.AddSubDataBand(detail, "Outer");
    Band& once = report.AddSubDataBand(outer, "Once");
    int outerRecords = 0;
    int onceRecords = 0;
    outer.OnAfterDataSkip = [&outerRecords](Band&) { ++outerRecords; };
    outer.OnDataSkip = [&outerRecords](Band& sender) { sender.SetDone(outerRecords == 3); };
    once.OnAfterDataSkip = [&onceRecords](Band&) { ++onceRecords; };
    report.Run();
    EXPECT_EQ(outerRecords, 3);
    EXPECT_EQ(onceRecords, 3);
    EXPECT_TRUE(once.Done());
}

TEST(Protocol, AHandlerMayEndAnOuterBandFromInside) {
    Report report;
    Band& detail = report.AddDetail("Detail");
    Band& outer = report.AddSubDataBand(detail, "Outer");
    Band& inner = report.AddSubDataBand(outer, "Inner");
    int innerRecords = 0;
    int outerRecords = 0;
    outer.OnAfterDataSkip = [&outerRecords](Band&) { ++outerRecords; };
    outer.OnDataSkip = [](Band&) {}; // would run for ever on its own
    inner.OnAfterDataSkip = [&innerRecords, &outer](Band& sender) {
        ++innerRecords;
        if (innerRecords == 5) {
            outer.SetDone(true);
            sender.SetDone(true);
        }
    };
    inner.OnDataSkip = [&innerRecords](Band& sender) { sender.SetDone(innerRecords % 2 == 0); };
    report.Run();
    EXPECT_EQ(innerRecords, 5);
    EXPECT_EQ(outerRecords, 3);
}

TEST(Protocol, AbortEndsEveryLoopAndKeepsThePagesSoFar) {
    Report report;
    Band& detail = report.AddDetail("Detail");
    Band& rows = report.AddSubDataBand(detail, "Rows");
    Label& text = rows.AddLabel("Text");
    Band& footer = report.AddReportFooter("Footer");
    footer.AddLabel("End").SetLines({"end"});
    int records = 0;
    rows.OnAfterDataSkip = [&](Band&) {
        ++records;
        text.SetLines({"row " + std::to_string(records)});
        if (records == 100) {
            report.Abort();
        }
    };
    rows.OnDataSkip = [](Band&) {};
    const Document document = report.Run();
    EXPECT_TRUE(document.aborted);
    EXPECT_EQ(records, 100);
    const auto names = PrintedNames(document);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), "Text:row 99"); // the aborted record does not print, nor the footer

    // A second run starts afresh.
    records = 0;
    rows.OnDataSkip = [&records](Band& sender) { sender.SetDone(records == 2); };
    EXPECT_FALSE(report.Run().aborted);
}

TEST(Protocol, VisibilitySwitchedWhileRunningDecidesWhatPrints) {
    Report report;
    Band& detail = report.AddDetail("Detail");
    Band& rows = report.AddSubDataBand(detail, "Rows");
    Band& printed = report.AddSubDataBand(rows, "Printed");
    Label& label = printed.AddLabel("Output");
    int record = 0;
    rows.OnAfterDataSkip = [&](Band&) {
        ++record;
        printed.SetVisible(record % 2 == 0);
        label.SetLines({"record " + std::to_string(record)});
    };
    rows.OnDataSkip = [&record](Band& sender) { sender.SetDone(record == 5); };
    const Document document = report.Run();
    EXPECT_EQ(PrintedNames(document), (std::vector<std::string>{"Output:record 2", "Output:record 4"}));
}

TEST(Protocol, TwentyOneNestedBandsWithManyRecordsRunWithoutDeepRecursion) {
    Report report;
    Band* parent = &report.AddDetail("Detail");
    std::vector<Band*> levels;
    for (int level = 1; level <= 21; ++level) {
        parent = &report.AddSubDataBand(*parent, "Level" + std::to_string(level));
        levels.push_back(parent);
    }
    long innermostRecords = 0;
    for (Band* band : levels) {
        band->OnDataSkip = [](Band& sender) { sender.SetDone(true); };
    }
    // Only the innermost band loops: 200,000 records in one loop.
    levels.back()->OnAfterDataSkip = [&innermostRecords](Band&) { ++innermostRecords; };
    levels.back()->OnDataSkip = [&innermostRecords](Band& sender) {
        sender.SetDone(innermostRecords == 200000);
    };
    report.Run();
    EXPECT_EQ(innermostRecords, 200000);
}

} // namespace
} // namespace varnholt::bands
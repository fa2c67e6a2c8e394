#pragma once

#include "bands/Band.h"
#include "bands/Document.h"
#include "bands/FontMetrics.h"
#include "bands/Page.h"

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varnholt::bands {

// A banded report: a page, its bands (report header, page header, details, page footer,
// report footer) and the tree of sub-bands and sub-data bands below them.
//
// Run() works as follows. The page's data is cleared and OnDataStart runs once; then, for each
// page record until the page is done, every detail band prints (a new page first when its
// NewPage flag is set) followed by its children, and the page's OnDataSkip runs. A sub-data band
// B runs each time its parent prints (or would print, when invisible):
//   clear B's done flag; OnDataStart; OnAfterDataSkip unless done;
//   while not done: print B, run B's children, OnDataSkip, OnAfterDataSkip unless done.
// A sub-data band without an OnDataSkip handler has a single record. A sub-band prints once each
// time its parent prints. Nesting costs one stack frame per tree level, not per record.
class Report {
public:
    using Clock = std::function<std::tm()>;
    using PageFinished = std::function<void(int pageNumber)>;
    using PageSink = std::function<void(DocumentPage&& page)>;

    Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;
    ~Report();

    bands::Page& ReportPage() { return page; }
    const bands::Page& ReportPage() const { return page; }

    // Bands directly on the page, printed in the order of their kinds; several details print
    // in the order they were added.
    Band& AddReportHeader(std::string name);
    Band& AddPageHeader(std::string name);
    Band& AddDetail(std::string name);
    Band& AddPageFooter(std::string name);
    Band& AddReportFooter(std::string name);
    Band& AddSubBand(Band& parent, std::string name);
    Band& AddSubDataBand(Band& parent, std::string name);

    Band* FindBand(std::string_view name) const;

    // Lays out the report into a document. May run again (each run starts afresh).
    Document Run();

    // Ends every loop at once; the pages laid out so far are kept and marked aborted.
    void Abort() { aborted = true; }

    // The date/time shown by date/time labels, read at the start of a run (local time by default).
    void SetClock(Clock newClock) { clock = std::move(newClock); }
    // Metrics for the layout; the caller keeps them alive. The built-in fixed-pitch ones by default.
    void SetFontMetrics(const FontMetrics& fontMetrics) { metrics = &fontMetrics; }
    // What the document of the next runs keeps (everything by default).
    void SetRecording(Recording newRecording) { recording = newRecording; }
    // Called after each finished page, for progress and to let a window breathe.
    void SetPageFinished(PageFinished callback) { pageFinished = std::move(callback); }
    // Each finished page goes to the sink instead of staying in the document, so that a very long
    // report written straight to an output never holds all its pages; empty to keep them.
    void SetPageSink(PageSink sink) { pageSink = std::move(sink); }

private:
    class Runner;
    Band& AddTopBand(BandKind kind, std::string name);

    bands::Page page;
    std::vector<std::unique_ptr<Band>> topBands;
    FixedPitchMetrics builtInMetrics;
    const FontMetrics* metrics = &builtInMetrics;
    Clock clock;
    PageFinished pageFinished;
    PageSink pageSink;
    bool aborted = false;
    Recording recording = Recording::Everything;
};

} // namespace varnholt::bands
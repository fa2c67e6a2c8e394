#include "bands/Report.h"

#include "bands/PageComposer.h"

namespace varnholt::bands {

// One run of the report: the event protocol, feeding printed bands to the page composer.
class Report::Runner {
public:
    Runner(Report& owner, PageComposer& pageComposer) : report(owner), composer(pageComposer) {}

    void RunPage(Document& document) {
        Page& reportPage = report.page;
        reportPage.SetDone(false);
        if (reportPage.OnDataStart) {
            reportPage.OnDataStart(reportPage);
        }
        // The start handler may set the margins, so the document takes the setup only now.
        document.setup = reportPage.Setup();
        document.title = reportPage.Description();
        composer.StartFirstPage();
        PrintAll(BandKind::ReportHeader);
        while (!reportPage.Done() && !report.aborted) {
            for (const auto& band : report.topBands) {
                if (band->Kind() == BandKind::Detail && !report.aborted) {
                    Print(*band);
                    RunChildren(*band);
                }
            }
            if (report.aborted) {
                break;
            }
            if (reportPage.OnDataSkip) {
                reportPage.OnDataSkip(reportPage);
            } else {
                reportPage.SetDone(true);
            }
        }
        if (!report.aborted) {
            PrintAll(BandKind::ReportFooter);
        }
        composer.FinishLastPage();
    }

private:
    // An invisible band prints nothing; the sub-data bands that only drive the loops are asked
    // once per record, so they are passed over here.
    void Print(const Band& band) {
        if (band.Visible()) {
            composer.PrintBand(band);
        }
    }

    void PrintAll(BandKind kind) {
        for (const auto& band : report.topBands) {
            if (band->Kind() == kind) {
                Print(*band);
                RunChildren(*band);
            }
        }
    }

    void RunChildren(Band& parent) {
        for (const auto& child : parent.Children()) {
            if (report.aborted) {
                return;
            }
            if (child->Kind() == BandKind::SubData) {
                RunSubData(*child);
            } else {
                Print(*child);
                RunChildren(*child);
            }
        }
    }

    // The loop of one sub-data band for one record of its parent. The depth of the recursion is
    // that of the band tree; the records of a band are a loop.
    void RunSubData(Band& band) {
        const bool& stopped = report.aborted;
        band.SetDone(false);
        if (band.OnDataStart) {
            band.OnDataStart(band);
        }
        if (!band.Done() && !stopped && band.OnAfterDataSkip) {
            band.OnAfterDataSkip(band);
        }
        while (!band.Done() && !stopped) {
            Print(band);
            RunChildren(band);
            if (stopped) {
                break;
            }
            if (band.OnDataSkip) {
                band.OnDataSkip(band);
            } else {
                band.SetDone(true);
            }
            if (!band.Done() && !stopped && band.OnAfterDataSkip) {
                band.OnAfterDataSkip(band);
            }
        }
    }

    Report& report;
    PageComposer& composer;
};

Report::Report() = default;
Report::~Report() = default;

Band& Report::AddTopBand(BandKind kind, std::string name) {
    topBands.push_back(std::make_unique<Band>(kind, std::move(name), nullptr));
    return *topBands.back();
}

Band& Report::AddReportHeader(std::string name) {
    return AddTopBand(BandKind::ReportHeader, std::move(name));
}
Band& Report::AddPageHeader(std::string name) {
    return AddTopBand(BandKind::PageHeader, std::move(name));
}
Band& Report::AddDetail(std::string name) {
    return AddTopBand(BandKind::Detail, std::move(name));
}
Band& Report::AddPageFooter(std::string name) {
    return AddTopBand(BandKind::PageFooter, std::move(name));
}
Band& Report::AddReportFooter(std::string name) {
    return AddTopBand(BandKind::ReportFooter, std::move(name));
}

Band& Report::AddSubBand(Band& parent, std::string name) {
    return parent.AddChild(BandKind::SubBand, std::move(name));
}

Band& Report::AddSubDataBand(Band& parent, std::string name) {
    return parent.AddChild(BandKind::SubData, std::move(name));
}

namespace {
Band* FindIn(const std::vector<std::unique_ptr<Band>>& bands, std::string_view name) {
    for (const auto& band : bands) {
        if (band->Name() == name) {
            return band.get();
        }
        if (Band* found = FindIn(band->Children(), name)) {
            return found;
        }
    }
    return nullptr;
}

std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    // The report runs on the user-interface thread only, so the shared buffer is not contended.
    const std::tm* local = std::localtime(&now);
    return local != nullptr ? *local : std::tm{};
}
} // namespace

Band* Report::FindBand(std::string_view name) const {
    return FindIn(topBands, name);
}

Document Report::Run() {
    aborted = false;
    Document document;
    const Font reportFont;
    document.columnWidth = metrics->TextWidth(reportFont, "M");
    document.rowHeight = metrics->LineHeight(reportFont);

    PageComposer::Frame frame;
    for (const auto& band : topBands) {
        if (band->Kind() == BandKind::PageHeader && frame.pageHeader == nullptr) {
            frame.pageHeader = band.get();
        } else if (band->Kind() == BandKind::PageFooter && frame.pageFooter == nullptr) {
            frame.pageFooter = band.get();
        }
    }
    frame.dateTime = clock ? clock() : LocalTimeNow();
    frame.pageFinished = pageFinished;
    frame.pageSink = pageSink;
    frame.pageHeaderOnFirstPage = page.PageHeaderOnFirstPage();
    frame.recording = recording;

    PageComposer composer(document, *metrics, std::move(frame));
    Runner runner(*this, composer);
    runner.RunPage(document);
    document.aborted = aborted;
    return document;
}

} // namespace varnholt::bands
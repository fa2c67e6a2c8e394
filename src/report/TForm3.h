#pragma once

#include "bands/Report.h"
#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"
#include "report/JobDetails.h"
#include "report/KeyCursor.h"
#include "report/ReportState.h"

#include <functional>
#include <optional>

namespace varnholt::report {

// Told every key in the order the report lists it, top master first.
using KeyListener = std::function<void(const ScheduledKey&)>;

// The report form: the banded report that prints a key system. It has no data source; its
// invisible sub-data bands walk the key schedule, driven by the handlers below, and the output
// band ForPrinting prints one page of collected lines whenever a page's worth is gathered.
//
// Passes of RPasses: 1 lists masters and sub-masters, 2 lists change keys, 3 prints what is left.
// Master1 has a record for every master, Sub1 for every sub-master of it and Rot1, in the
// change-key pass, for every change key of the key above; the bands between them keep the
// report's shape and run one record each. Master6 runs once more, finishing, to print the last
// page of a pass.
class TForm3 {
public:
    TForm3();
    TForm3(const TForm3&) = delete;
    TForm3& operator=(const TForm3&) = delete;

    // Runs the report of a generated system from its key schedule and returns its pages. The
    // system is only read; nothing of the run stays behind for the next one.
    bands::Document StartReport(const GenerationState& system, const KeySchedule& schedule);
    // The same, with the schedule worked out from the system.
    bands::Document StartReport(const GenerationState& system);

    // The job details printed on the cover sheet and, the job number, in the page header.
    void SetJobDetails(JobDetails details) { jobDetails = std::move(details); }

    // Told every key the report lists, in report order; empty to stop listening.
    void SetKeyListener(KeyListener listener) { keyListener = std::move(listener); }

    // Components, by their form names.
    bands::Report TheReport2;
    bands::Page& TheReportPage2 = TheReport2.ReportPage();
    bands::Band& PageHeaderBand1 = TheReport2.AddPageHeader("PageHeaderBand1");
    bands::Band& ReportHeaderBand1 = TheReport2.AddReportHeader("ReportHeaderBand1");
    bands::Band& RDeadSpace = TheReport2.AddDetail("RDeadSpace");
    bands::Band& PageFooterBand1 = TheReport2.AddPageFooter("PageFooterBand1");
    bands::Band& ReportFooterBand1 = TheReport2.AddReportFooter("ReportFooterBand1");
    bands::Label& RCoverSheet = ReportHeaderBand1.AddLabel("RCoverSheet");
    bands::Label& RHeader = PageHeaderBand1.AddLabel("RHeader");
    bands::Label& varlabel = PageHeaderBand1.AddLabel("varlabel");
    bands::Label& RQuickPin = RDeadSpace.AddLabel("RQuickPin");
    bands::Label& RFooter = PageFooterBand1.AddLabel("RFooter");
    bands::Band& DetailBandSub1 = TheReport2.AddSubBand(RDeadSpace, "DetailBandSub1");
    bands::Band& RPasses = TheReport2.AddSubDataBand(DetailBandSub1, "RPasses");
    bands::Band& Master6 = TheReport2.AddSubDataBand(RPasses, "Master6");
    bands::Band& Master5 = TheReport2.AddSubDataBand(Master6, "Master5");
    bands::Band& Master4 = TheReport2.AddSubDataBand(Master5, "Master4");
    bands::Band& Master3 = TheReport2.AddSubDataBand(Master4, "Master3");
    bands::Band& Master2 = TheReport2.AddSubDataBand(Master3, "Master2");
    bands::Band& Master1 = TheReport2.AddSubDataBand(Master2, "Master1");
    bands::Band& Sub5 = TheReport2.AddSubDataBand(Master1, "Sub5");
    bands::Band& Sub4 = TheReport2.AddSubDataBand(Sub5, "Sub4");
    bands::Band& Sub3 = TheReport2.AddSubDataBand(Sub4, "Sub3");
    bands::Band& Sub2 = TheReport2.AddSubDataBand(Sub3, "Sub2");
    bands::Band& Sub1 = TheReport2.AddSubDataBand(Sub2, "Sub1");
    bands::Band& ForR_Passes = TheReport2.AddSubDataBand(Sub1, "ForR_Passes");
    bands::Band& Rot7 = TheReport2.AddSubDataBand(ForR_Passes, "Rot7");
    bands::Band& Rot6 = TheReport2.AddSubDataBand(Rot7, "Rot6");
    bands::Band& Rot5 = TheReport2.AddSubDataBand(Rot6, "Rot5");
    bands::Band& Rot4 = TheReport2.AddSubDataBand(Rot5, "Rot4");
    bands::Band& Rot3 = TheReport2.AddSubDataBand(Rot4, "Rot3");
    bands::Band& Rot2 = TheReport2.AddSubDataBand(Rot3, "Rot2");
    bands::Band& Rot1 = TheReport2.AddSubDataBand(Rot2, "Rot1");
    bands::Band& ForPrinting = TheReport2.AddSubDataBand(Rot1, "ForPrinting");
    bands::Label& Output = ForPrinting.AddLabel("Output");
    // What the lists hold and leave out, and what their signs mean, on the last page.
    bands::Band& RSummary = TheReport2.AddDetail("RSummary");
    bands::Label& RSummaryText = RSummary.AddLabel("RSummaryText");

    // Page events.
    void TheReportPage2DataStart(bands::Page& sender);
    void TheReportPage2DataSkip(bands::Page& sender);

    // Passes.
    void RPassesDataStart(bands::Band& sender);
    void RPassesDataSkip(bands::Band& sender);
    void RPassesAfterDataSkip(bands::Band& sender);

    // The master level as a whole, and one record per master.
    void Master6DataSkip(bands::Band& sender);
    void Master1AfterDataSkip(bands::Band& sender);
    void Master1DataSkip(bands::Band& sender);

    // One record per sub-master of the master in hand.
    void Sub1DataStart(bands::Band& sender);
    void Sub1AfterDataSkip(bands::Band& sender);
    void Sub1DataSkip(bands::Band& sender);

    // One record per lowest-level key.
    void ForR_PassesDataStart(bands::Band& sender);
    void ForR_PassesDataSkip(bands::Band& sender);

    // One record per change key of the lowest-level key in hand.
    void Rot1DataStart(bands::Band& sender);
    void Rot1AfterDataSkip(bands::Band& sender);
    void Rot1DataSkip(bands::Band& sender);

    // The output band.
    void ForPrintingDataStart(bands::Band& sender);
    void ForPrintingDataSkip(bands::Band& sender);
    void ForPrintingAfterDataSkip(bands::Band& sender);

    void ShowOutputBand();
    void HideOutputBand();

private:
    void BuildBandTree();
    void ConnectHandlers();
    void SetMarginsAndFonts(bands::Page& page);
    void BuildFixedPages();
    void PreparePass();
    void WriteMasterEntry(const ScheduledKey& key);
    void WriteSubMasterEntry(const ScheduledKey& key);
    void ListChangeKey(const ScheduledKey& key);
    void PrintWhatIsLeft();
    void PrintFullChangeKeyPage();
    void PrintSubMasterBlock();
    void PrintMasterPage();
    void Tell(const ScheduledKey& key);

    // Set for the length of a run.
    const GenerationState* system = nullptr;
    std::optional<KeyCursor> cursor;

    JobDetails jobDetails;
    ReportState iteration;
    KeyListener keyListener;
};

} // namespace varnholt::report

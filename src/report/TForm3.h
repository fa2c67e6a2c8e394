#pragma once

#include "bands/Report.h"
#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"
#include "report/JobDetails.h"
#include "report/ReportState.h"

#include <array>
#include <functional>

namespace varnholt::report {

// Told every key in the order the report lists it, top master first.
using KeyListener = std::function<void(const ScheduledKey&)>;

// The report form: the banded report that prints a key system. It has no data source; its
// invisible sub-data bands are nested odometers over the chambers of masters, sub-masters and
// change keys, driven by the handlers below, and the output band ForPrinting prints one page of
// collected lines whenever a page's worth is gathered.
//
// Passes of RPasses: 1 lists masters and sub-masters, 2 lists change keys, 3 prints what is left.
// Band k of each level handles chamber position k of the pass's sorted order, so the handlers
// that are the same for every position of a level take the position as an argument.
class TForm3 {
public:
    explicit TForm3(GenerationState& state);
    TForm3(const TForm3&) = delete;
    TForm3& operator=(const TForm3&) = delete;

    // Runs the report for the state's current generation and returns its pages.
    bands::Document StartReport();

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

    // Page events.
    void TheReportPage2DataStart(bands::Page& sender);
    void TheReportPage2DataSkip(bands::Page& sender);

    // Passes.
    void RPassesDataStart(bands::Band& sender);
    void RPassesDataSkip(bands::Band& sender);
    void RPassesAfterDataSkip(bands::Band& sender);

    // Master bands, position 6 (outermost) down to 1.
    void MasterDataStart(int position, bands::Band& sender);
    void MasterAfterDataSkip(int position, bands::Band& sender);
    void MasterDataSkip(int position, bands::Band& sender);
    void Master6DataSkip(bands::Band& sender);
    void Master1AfterDataSkip(bands::Band& sender);
    void Master1DataSkip(bands::Band& sender);

    // Sub-master bands, position 5 down to 1.
    void SubDataStart(int position, bands::Band& sender);
    void SubAfterDataSkip(int position, bands::Band& sender);
    void SubDataSkip(int position, bands::Band& sender);
    void Sub1AfterDataSkip(bands::Band& sender);
    void Sub1DataSkip(bands::Band& sender);

    // One record per lowest-level key.
    void ForR_PassesDataStart(bands::Band& sender);
    void ForR_PassesDataSkip(bands::Band& sender);

    // Rotation (change-key) bands, position 7 down to 1.
    void RotDataStart(int position, bands::Band& sender);
    void RotAfterDataSkip(int position, bands::Band& sender);
    void RotDataSkip(int position, bands::Band& sender);
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
    void TellTopMaster();
    // The positional values of the current master's chambers, and its sub-master's when asked.
    int SavedValues(bool withSubMasters) const;
    void ResetLeftoverState();
    void PreparePass();
    void ReadChamberRoles();
    void PrepareMasterPassPositions();
    void PrepareChangeKeyPassPositions();
    void ResetPassCounters();
    void LimitEnumeration();
    void SortMasterPassPositions();
    void SortChangeKeyPassPositions();
    void ComposeFromMasterValues();
    int RotationStep(int position) const;
    void WriteMasterEntry();
    void WriteSubMasterEntry();
    void WriteChangeKeyEntry();
    void ComposeChangeKey();
    void ListChangeKey();
    void PrintWhatIsLeft();
    void PrintFullChangeKeyPage();
    void PrintSubMasterBlock();
    void PrintMasterPage();
    void EndSubBands();
    void EndMasterBands();
    void Tell(KeyLevel level, std::string designation, int changeKeyNumber);

    static EnumerationBand MasterBand(int position);
    static EnumerationBand SubBand(int position);
    static EnumerationBand RotBand(int position);

    GenerationState& state;
    JobDetails jobDetails;
    ReportState iteration;
    KeyListener keyListener;

    // Indexed by chamber position; [0] unused.
    std::array<bands::Band*, 7> masterBands{};
    std::array<bands::Band*, 6> subBands{};
    std::array<bands::Band*, 8> rotBands{};
};

} // namespace varnholt::report

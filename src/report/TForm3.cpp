#include "report/TForm3.h"

#include "engine/KeyCounts.h"
#include "engine/KeySchedule.h"
#include "engine/TextLayout.h"
#include "report/JobDetailsText.h"
#include "report/KbaPage.h"
#include "report/Printouts.h"
#include "report/SummaryPage.h"

#include <array>
#include <charconv>
#include <string_view>
#include <utility>

namespace varnholt::report {

namespace {

constexpr double ReportFontSize = 10.0;
constexpr double MarginInches = 0.25;
constexpr int ChangeKeyPass = 2;
constexpr int ClosingPass = 3;

// Text cut to at most length characters, as the entries' fields are.
std::string Cut(std::string text, std::size_t length) {
    if (text.size() > length)
        text.resize(length);
    return text;
}

} // namespace

TForm3::TForm3() {
    BuildBandTree();
}

void TForm3::BuildBandTree() {
    TheReportPage2.Setup().paperWidth = 8.5;
    TheReportPage2.Setup().paperHeight = 11.0;
    TheReportPage2.SetDescription("Varnholt Report");

    // The page number prints beside the header's "Page No.", which ends in column 65.
    varlabel.SetVariable(bands::LabelVariable::PageNumber);
    const bands::FixedPitchMetrics metrics;
    const bands::Font reportFont{"Courier New", ReportFontSize};
    varlabel.SetPosition(metrics.TextWidth(reportFont, std::string(65, ' ')),
                         4 * metrics.LineHeight(reportFont));
    varlabel.SetWidth(metrics.TextWidth(reportFont, "00000"));
    varlabel.SetAlignment(bands::Alignment::Right);

    RDeadSpace.SetNewPage(true);
    RSummary.SetNewPage(true);
    RSummary.SetStretch(true);
    ReportFooterBand1.SetHeight(0.0);
    ReportFooterBand1.SetStretch(false);
    DetailBandSub1.SetVisible(false);
    for (bands::Band* band : {&RPasses, &Master6, &Master5, &Master4, &Master3, &Master2,     &Master1,
                              &Sub5,    &Sub4,    &Sub3,    &Sub2,    &Sub1,    &ForR_Passes, &Rot7,
                              &Rot6,    &Rot5,    &Rot4,    &Rot3,    &Rot2,    &Rot1,        &ForPrinting})
        band->SetVisible(false);
    Output.SetVisible(false);
    ConnectHandlers();
}

void TForm3::ConnectHandlers() {
    TheReportPage2.OnDataStart = [this](bands::Page& page) { TheReportPage2DataStart(page); };
    TheReportPage2.OnDataSkip = [this](bands::Page& page) { TheReportPage2DataSkip(page); };
    // Each handler is called straight from its event: the change-key bands run once per key.
    RPasses.OnDataStart = [this](bands::Band& sender) { RPassesDataStart(sender); };
    RPasses.OnAfterDataSkip = [this](bands::Band& sender) { RPassesAfterDataSkip(sender); };
    RPasses.OnDataSkip = [this](bands::Band& sender) { RPassesDataSkip(sender); };
    Master6.OnDataSkip = [this](bands::Band& sender) { Master6DataSkip(sender); };
    Master1.OnAfterDataSkip = [this](bands::Band& sender) { Master1AfterDataSkip(sender); };
    Master1.OnDataSkip = [this](bands::Band& sender) { Master1DataSkip(sender); };
    Sub1.OnDataStart = [this](bands::Band& sender) { Sub1DataStart(sender); };
    Sub1.OnAfterDataSkip = [this](bands::Band& sender) { Sub1AfterDataSkip(sender); };
    Sub1.OnDataSkip = [this](bands::Band& sender) { Sub1DataSkip(sender); };
    ForR_Passes.OnDataStart = [this](bands::Band& sender) { ForR_PassesDataStart(sender); };
    ForR_Passes.OnDataSkip = [this](bands::Band& sender) { ForR_PassesDataSkip(sender); };
    Rot1.OnDataStart = [this](bands::Band& sender) { Rot1DataStart(sender); };
    Rot1.OnAfterDataSkip = [this](bands::Band& sender) { Rot1AfterDataSkip(sender); };
    Rot1.OnDataSkip = [this](bands::Band& sender) { Rot1DataSkip(sender); };
    ForPrinting.OnDataStart = [this](bands::Band& sender) { ForPrintingDataStart(sender); };
    ForPrinting.OnAfterDataSkip = [this](bands::Band& sender) { ForPrintingAfterDataSkip(sender); };
    ForPrinting.OnDataSkip = [this](bands::Band& sender) { ForPrintingDataSkip(sender); };
    // The other master, sub-master and rotation bands have one record each time their parent
    // has one: without a skip handler a band ends after its first record.
}

bands::Document TForm3::StartReport(const GenerationState& generated, const KeySchedule& schedule) {
    system = &generated;
    cursor.emplace(schedule);
    RSummaryText.SetLines(SummaryPageLines(generated, CountKeys(generated, schedule)));
    // The report goes straight to the preview; printing is the user's choice there.
    bands::Document document = TheReport2.Run();
    cursor.reset();
    system = nullptr;
    return document;
}

bands::Document TForm3::StartReport(const GenerationState& generated) {
    return StartReport(generated, ComputeKeySchedule(generated));
}

void TForm3::Tell(const ScheduledKey& key) {
    if (keyListener)
        keyListener(key);
}

// ---------------------------------------------------------------------------------------------
// The page.

void TForm3::TheReportPage2DataStart(bands::Page& sender) {
    // A run starts from nothing: no working value of an earlier run counts.
    iteration = ReportState{};
    SetMarginsAndFonts(sender);
    BuildFixedPages();
    Tell(cursor->Top());
}

void TForm3::SetMarginsAndFonts(bands::Page& page) {
    page.Setup().rightMargin = MarginInches;
    page.Setup().leftMargin = MarginInches;
    page.Setup().topMargin = MarginInches;
    page.Setup().bottomMargin = MarginInches;
    for (bands::Label* label : {&RCoverSheet, &RHeader, &RFooter, &Output, &RQuickPin, &varlabel, &RSummaryText})
        label->SetFontSize(ReportFontSize);
}

void TForm3::BuildFixedPages() {
    BuildCoverSheet(*system, iteration, RCoverSheet);
    RDeadSpace.SetVisible(true);
    BuildPageHeader(*system, iteration, RHeader);
    AddJobDetailsToCoverSheet(jobDetails, RCoverSheet);
    AddJobNumberToPageHeader(jobDetails, RHeader);
    RQuickPin.SetLines(BuildKbaPage(*system));
    // The key lists gather their lines in an empty list.
    iteration.ReportLines.clear();
}

void TForm3::TheReportPage2DataSkip(bands::Page& sender) {
    sender.SetDone(true);
    iteration.ReportLines.clear();
    iteration.ReportLines.shrink_to_fit();
}

// ---------------------------------------------------------------------------------------------
// The passes.

void TForm3::RPassesDataStart(bands::Band&) {
    iteration.PassNumber = 1;
    iteration.ChangeKeysDone = 0;
    iteration.SubsDone = 0;
    iteration.Finishing = false;
    iteration.LinesBuilt = false;
    iteration.PrintDone = false;
    iteration.NothingPending = false;
}

void TForm3::RPassesDataSkip(bands::Band& sender) {
    ++iteration.PassNumber;
    if (iteration.PassNumber > ClosingPass)
        sender.SetDone(true);
}

void TForm3::RPassesAfterDataSkip(bands::Band&) {
    if (iteration.PassNumber < ClosingPass) {
        PreparePass();
        return;
    }
    if (!iteration.FirstEntryEmpty())
        iteration.PageFull = true;
    iteration.Finishing = true;
}

void TForm3::PreparePass() {
    ReportState& r = iteration;
    r.SecondPass = r.PassNumber == ChangeKeyPass;
    // Every entry an earlier pass used is freed, not only the first ones.
    r.ClearEntries();
    r.SubsDone = 0;
    r.LineCount = 0;
    r.Finishing = false;
    r.ChangeEntryCount = 0;
    r.EntryCount = 0;
    r.ReportLines.clear();
    cursor->StartMasters();
    HideOutputBand();
    r.PageFlushed = false;
    r.NothingPending = false;
}

// ---------------------------------------------------------------------------------------------
// Masters.

void TForm3::Master6DataSkip(bands::Band& sender) {
    ReportState& r = iteration;
    // Once the masters are listed, one more run through the bands, finishing, prints the last
    // page; the closing pass has printed what was left in its one run.
    if (system->MasterCount > 0 && !r.Finishing && !r.FirstEntryEmpty()) {
        r.Finishing = true;
        return;
    }
    sender.SetDone(true);
}

void TForm3::Master1AfterDataSkip(bands::Band&) {
    if (iteration.Finishing)
        return;
    // Without masters the top master stands alone; it is on the cover sheet, not in a list.
    const ScheduledKey* master = cursor->NextMaster();
    if (master != nullptr && iteration.PassNumber < ChangeKeyPass)
        WriteMasterEntry(*master);
}

void TForm3::Master1DataSkip(bands::Band& sender) {
    if (iteration.Finishing || !cursor->MoreMasters())
        sender.SetDone(true);
}

void TForm3::WriteMasterEntry(const ScheduledKey& key) {
    std::string entry = Cut(key.designation + "  ", 4);
    entry = Cut(entry + key.mark, 5);
    entry = Cut(entry + key.bitting, 13);
    iteration.AddEntry(entry);
    ++iteration.EntryCount;
    Tell(key);
}

// ---------------------------------------------------------------------------------------------
// Sub-masters.

void TForm3::Sub1DataStart(bands::Band&) {
    if (iteration.Finishing)
        return;
    iteration.SubsDone = 0;
    cursor->StartSubMasters();
}

void TForm3::Sub1AfterDataSkip(bands::Band&) {
    if (system->SubMasterCount <= 0 || iteration.Finishing)
        return;
    ++iteration.SubsDone;
    const ScheduledKey* subMaster = cursor->NextSubMaster();
    if (subMaster != nullptr && iteration.PassNumber < ChangeKeyPass)
        WriteSubMasterEntry(*subMaster);
}

void TForm3::Sub1DataSkip(bands::Band& sender) {
    if (iteration.Finishing || !cursor->MoreSubMasters())
        sender.SetDone(true);
}

void TForm3::WriteSubMasterEntry(const ScheduledKey& key) {
    std::string entry = Cut(key.designation, 4);
    entry = Cut(entry + "  ", 6);
    entry = Cut(entry + key.mark, 7);
    entry = Cut(entry + key.bitting, 15);
    iteration.AddEntry(entry);
    ++iteration.EntryCount;
    Tell(key);
}

// ---------------------------------------------------------------------------------------------
// The lowest-level key and its change keys.

void TForm3::ForR_PassesDataStart(bands::Band&) {
    if (!iteration.Finishing)
        iteration.ChangeKeysDone = 0;
}

void TForm3::ForR_PassesDataSkip(bands::Band& sender) {
    sender.SetDone(true);
}

void TForm3::Rot1DataStart(bands::Band&) {
    if (iteration.PassNumber == ChangeKeyPass && !iteration.Finishing)
        cursor->StartChangeKeys();
}

void TForm3::Rot1AfterDataSkip(bands::Band&) {
    ReportState& r = iteration;
    if (r.PassNumber != ChangeKeyPass || r.Finishing)
        return;
    const ScheduledKey* key = cursor->NextChangeKey();
    if (key == nullptr)
        return;
    r.NothingPending = false;
    // A change key that cannot be used is neither listed nor counted.
    if (key->listed)
        ListChangeKey(*key);
}

void TForm3::ListChangeKey(const ScheduledKey& key) {
    ReportState& r = iteration;
    // Put together in place, without a text of its own for each of up to 300,000 keys: the
    // letters, the number right-aligned in four columns, two blanks, the mark and the bitting.
    // Room for whole copies of the letters and the bitting, a number of any size and three signs.
    std::array<char, decltype(key.designation)::MaxLength + 16 + 3 + decltype(key.bitting)::MaxLength> entry;
    key.designation.CopyWhole(entry.data());
    std::size_t length = key.designation.size();
    std::array<char, 16> number;
    const std::size_t digits =
        static_cast<std::size_t>(std::to_chars(number.begin(), number.end(), key.changeKeyNumber).ptr - number.begin());
    for (std::size_t pad = digits; pad < 4; ++pad)
        entry[length++] = ' ';
    for (std::size_t digit = 0; digit < digits; ++digit)
        entry[length++] = number[digit];
    entry[length++] = ' ';
    entry[length++] = ' ';
    entry[length++] = key.mark;
    key.bitting.CopyWhole(entry.data() + length);
    length += key.bitting.size();
    r.AddEntry(std::string_view(entry.data(), length));
    Tell(key);
    ++r.ChangeEntryCount;
    ++r.ChangeKeysDone;
    if (r.ChangeKeysDone == system->ChangeKeyCount && system->MasterCount == 0)
        r.PageFull = true;
    if (r.ChangeEntryCount == ChangeKeyEntriesPerPage) {
        LayOutChangeKeyColumns(r);
        r.ChangeEntryCount = 0;
    }
}

void TForm3::Rot1DataSkip(bands::Band& sender) {
    ReportState& r = iteration;
    const bool keysOver = r.PassNumber != ChangeKeyPass || r.Finishing || !cursor->MoreChangeKeys();
    // Only the change-key pass counts change keys; in the master pass nothing is pending here.
    if (r.PassNumber >= ChangeKeyPass && r.ChangeKeysDone >= system->ChangeKeyCount) {
        if (!r.FirstEntryEmpty())
            r.LinesBuilt = true;
        else
            r.NothingPending = true;
    }
    if (r.PageFlushed) {
        // The page handed to the output band has printed: take it back.
        r.PageFlushed = false;
        HideOutputBand();
        sender.SetDone(r.NothingPending || keysOver);
        return;
    }
    if (keysOver)
        sender.SetDone(true);
}

// ---------------------------------------------------------------------------------------------
// The output band.

void TForm3::ForPrintingDataStart(bands::Band&) {
    iteration.PrintDone = iteration.Finishing;
}

void TForm3::ForPrintingDataSkip(bands::Band& sender) {
    sender.SetDone(iteration.PrintDone);
}

void TForm3::ForPrintingAfterDataSkip(bands::Band&) {
    ReportState& r = iteration;
    // The band prints at most one page per record of Rot1, whatever happens below.
    if (r.NothingPending) {
        r.PrintDone = true;
        return;
    }
    if (r.Finishing)
        PrintWhatIsLeft();
    else if (r.PassNumber != 1)
        PrintFullChangeKeyPage();
    else if (system->SubMasterCount >= 1)
        PrintSubMasterBlock();
    else if (system->MasterCount > 0)
        PrintMasterPage();
    r.PrintDone = true;
}

void TForm3::PrintWhatIsLeft() {
    ReportState& r = iteration;
    if (r.PassNumber > 1) {
        LayOutChangeKeyColumns(r);
    } else if (!r.LinesBuilt) {
        if (r.SubsDone != 0)
            LayOutSubMasterBlock(r);
        else
            LayOutMasterList(r);
    }
    ShowOutputBand();
    r.NothingPending = true;
    r.ClearEntries();
    r.ChangeEntryCount = 0;
}

void TForm3::PrintFullChangeKeyPage() {
    ReportState& r = iteration;
    if (!r.PageFull)
        return;
    if (r.ChangeEntryCount != 0)
        LayOutChangeKeyColumns(r);
    ShowOutputBand();
    r.ClearEntries();
    r.ChangeEntryCount = 0;
}

void TForm3::PrintSubMasterBlock() {
    ReportState& r = iteration;
    // A master's block is laid out once its last sub-master is listed.
    if (cursor->MoreSubMasters())
        return;
    if (!r.FirstEntryEmpty())
        LayOutSubMasterBlock(r);
    const bool lastMaster = !cursor->MoreMasters();
    if (lastMaster || r.PageFull) {
        if (!r.FirstEntryEmpty() || r.LinesBuilt)
            ShowOutputBand();
        r.SubsDone = 0;
    } else {
        HideOutputBand();
    }
    r.EntryCount = 0;
    r.ClearEntries();
}

void TForm3::PrintMasterPage() {
    ReportState& r = iteration;
    if (cursor->MoreMasters() && r.EntryCount != MasterEntriesPerPage)
        return;
    LayOutMasterList(r);
    if (!r.FirstEntryEmpty()) {
        ShowOutputBand();
        r.EntryCount = 0;
        r.ClearEntries();
    }
}

void TForm3::ShowOutputBand() {
    ReportState& r = iteration;
    const bool holdsLines = !r.ReportLines.empty();
    Output.SetLines(std::move(r.ReportLines));
    r.ReportLines.clear();
    // A page without a line is never printed.
    if (holdsLines) {
        ForPrinting.SetVisible(true);
        ForPrinting.SetNewPage(true);
        ForPrinting.SetStretch(true);
        Output.SetVisible(true);
        Output.SetStretch(true);
        r.PageFlushed = true;
    }
    r.PageFull = false;
    r.LineCount = 0;
    r.LinesBuilt = false;
}

void TForm3::HideOutputBand() {
    ForPrinting.SetVisible(false);
    ForPrinting.SetNewPage(false);
    ForPrinting.SetStretch(false);
    Output.SetVisible(false);
    Output.SetStretch(false);
}

} // namespace varnholt::report

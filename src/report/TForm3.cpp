#include "report/TForm3.h"

#include "engine/Designations.h"
#include "engine/KbaPage.h"
#include "engine/KeyComposition.h"
#include "engine/TextLayout.h"
#include "report/JobDetailsText.h"
#include "report/Printouts.h"

#include <algorithm>
#include <utility>

namespace varnholt::report {

namespace {

constexpr double ReportFontSize = 10.0;
constexpr double MarginInches = 0.25;
constexpr int MasterEntriesPerPage = 208;
constexpr int ChangeKeyEntriesPerPage = 200;
constexpr int ChangeKeyPass = 2;
constexpr int ClosingPass = 3;

std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

// Text cut to at most length characters, as the entries' fields are.
std::string Cut(std::string text, std::size_t length) {
    if (text.size() > length)
        text.resize(length);
    return text;
}

int DigitOf(const std::string& key, int chamber) {
    const std::size_t index = At(chamber - 1);
    if (index >= key.size() || key[index] < '0' || key[index] > '9')
        return 0;
    return key[index] - '0';
}

template <typename Values> void ExchangePositions(Values& values, int first, int second) {
    std::swap(values[At(first)], values[At(second)]);
}

} // namespace

TForm3::TForm3(GenerationState& generationState) : state(generationState) {
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
    ReportFooterBand1.SetHeight(0.0);
    ReportFooterBand1.SetStretch(false);
    DetailBandSub1.SetVisible(false);

    masterBands = {nullptr, &Master1, &Master2, &Master3, &Master4, &Master5, &Master6};
    subBands = {nullptr, &Sub1, &Sub2, &Sub3, &Sub4, &Sub5};
    rotBands = {nullptr, &Rot1, &Rot2, &Rot3, &Rot4, &Rot5, &Rot6, &Rot7};
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

    RPasses.OnDataStart = [this](bands::Band& band) { RPassesDataStart(band); };
    RPasses.OnDataSkip = [this](bands::Band& band) { RPassesDataSkip(band); };
    RPasses.OnAfterDataSkip = [this](bands::Band& band) { RPassesAfterDataSkip(band); };

    for (int position = 1; position <= 6; ++position) {
        bands::Band& band = *masterBands[At(position)];
        band.OnDataStart = [this, position](bands::Band& sender) { MasterDataStart(position, sender); };
        band.OnAfterDataSkip = [this, position](bands::Band& sender) {
            MasterAfterDataSkip(position, sender);
        };
        band.OnDataSkip = [this, position](bands::Band& sender) { MasterDataSkip(position, sender); };
    }
    Master6.OnDataSkip = [this](bands::Band& band) { Master6DataSkip(band); };
    Master1.OnAfterDataSkip = [this](bands::Band& band) { Master1AfterDataSkip(band); };
    Master1.OnDataSkip = [this](bands::Band& band) { Master1DataSkip(band); };

    for (int position = 1; position <= 5; ++position) {
        bands::Band& band = *subBands[At(position)];
        band.OnDataStart = [this, position](bands::Band& sender) { SubDataStart(position, sender); };
        band.OnAfterDataSkip = [this, position](bands::Band& sender) { SubAfterDataSkip(position, sender); };
        band.OnDataSkip = [this, position](bands::Band& sender) { SubDataSkip(position, sender); };
    }
    Sub1.OnAfterDataSkip = [this](bands::Band& band) { Sub1AfterDataSkip(band); };
    Sub1.OnDataSkip = [this](bands::Band& band) { Sub1DataSkip(band); };

    ForR_Passes.OnDataStart = [this](bands::Band& band) { ForR_PassesDataStart(band); };
    ForR_Passes.OnDataSkip = [this](bands::Band& band) { ForR_PassesDataSkip(band); };

    for (int position = 1; position <= 7; ++position) {
        bands::Band& band = *rotBands[At(position)];
        band.OnDataStart = [this, position](bands::Band& sender) { RotDataStart(position, sender); };
        band.OnAfterDataSkip = [this, position](bands::Band& sender) { RotAfterDataSkip(position, sender); };
        band.OnDataSkip = [this, position](bands::Band& sender) { RotDataSkip(position, sender); };
    }
    Rot1.OnAfterDataSkip = [this](bands::Band& band) { Rot1AfterDataSkip(band); };
    Rot1.OnDataSkip = [this](bands::Band& band) { Rot1DataSkip(band); };

    ForPrinting.OnDataStart = [this](bands::Band& band) { ForPrintingDataStart(band); };
    ForPrinting.OnDataSkip = [this](bands::Band& band) { ForPrintingDataSkip(band); };
    ForPrinting.OnAfterDataSkip = [this](bands::Band& band) { ForPrintingAfterDataSkip(band); };
}

bands::Document TForm3::StartReport() {
    // The report goes straight to the preview; printing is the user's choice there.
    return TheReport2.Run();
}

EnumerationBand TForm3::MasterBand(int position) {
    return static_cast<EnumerationBand>(static_cast<int>(EnumerationBand::Master1) - (position - 1));
}

EnumerationBand TForm3::SubBand(int position) {
    return static_cast<EnumerationBand>(static_cast<int>(EnumerationBand::Sub1) - (position - 1));
}

EnumerationBand TForm3::RotBand(int position) {
    return static_cast<EnumerationBand>(static_cast<int>(EnumerationBand::Rot1) - (position - 1));
}

void TForm3::Tell(KeyLevel level, std::string designation, int changeKeyNumber) {
    if (!keyListener)
        return;
    ScheduledKey key;
    key.level = level;
    key.designation = std::move(designation);
    key.changeKeyNumber = changeKeyNumber;
    key.bitting = state.KeyBitting;
    key.mark = state.KeyMark;
    keyListener(key);
}

// ---------------------------------------------------------------------------------------------
// The page.

void TForm3::ResetLeftoverState() {
    // A report must not depend on what an earlier generation left in the shared state: the
    // report's own working values start from nothing on every run.
    iteration = ReportState{};
    state.ProgressionTableCopy = {};
    state.UsableDepthCount = {};
    state.UsableDepthCountCopy = {};
    state.TmkCuts = {};
    state.TmkCutsCopy = {};
    state.ControlCuts = {};
    state.KeyCuts = {};
    state.KeyBitting.clear();
    state.KeyMark = ' ';
    state.KeyCompositionEnabled = false;
    state.BottomPinsText.clear();
    state.MasterPinsText.clear();
    state.ControlPinsText.clear();
    state.TopPinsText.clear();
}

void TForm3::TheReportPage2DataStart(bands::Page& sender) {
    ResetLeftoverState();
    SetMarginsAndFonts(sender);
    BuildFixedPages();
    if (keyListener)
        TellTopMaster();
}

void TForm3::SetMarginsAndFonts(bands::Page& page) {
    page.Setup().rightMargin = MarginInches;
    page.Setup().leftMargin = MarginInches;
    page.Setup().topMargin = MarginInches;
    page.Setup().bottomMargin = MarginInches;
    for (bands::Label* label : {&RCoverSheet, &RHeader, &RFooter, &Output, &RQuickPin, &varlabel})
        label->SetFontSize(ReportFontSize);
}

void TForm3::BuildFixedPages() {
    BuildCoverSheet(state, iteration, RCoverSheet);
    RDeadSpace.SetVisible(true);
    BuildPageHeader(state, iteration, RHeader);
    AddJobDetailsToCoverSheet(jobDetails, RCoverSheet);
    AddJobNumberToPageHeader(jobDetails, RHeader);

    std::vector<std::string> pinningLines;
    BuildKbaPage(state, pinningLines);
    RQuickPin.SetLines(std::move(pinningLines));
    // The enumeration gathers its lines in an empty list.
    iteration.ReportLines.clear();
}

void TForm3::TellTopMaster() {
    state.KeyBitting = state.TopMasterKey.substr(0, At(state.Chambers));
    state.KeyMark = ' ';
    Tell(KeyLevel::TopMaster, "", 0);
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
    iteration.MastersDone = 0;
    iteration.SubsDone = 0;
    iteration.MasterDesignation.clear();
    iteration.SubDesignation.clear();
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

void TForm3::SortMasterPassPositions() {
    ReportState& r = iteration;
    const auto exchange = [&](int i) {
        ExchangePositions(r.PlaceValue, i - 1, i);
        ExchangePositions(state.UsableDepthCountCopy, i - 1, i);
        ExchangePositions(state.TmkCutsCopy, i - 1, i);
        ExchangePositions(r.StepCount, i - 1, i);
        for (int column = 1; column <= state.ProgressionSteps; ++column)
            std::swap(state.ProgressionTableCopy[At(i - 1)][At(column)],
                      state.ProgressionTableCopy[At(i)][At(column)]);
        ExchangePositions(r.RoleText, i - 1, i);
    };
    const auto sweepUntilSettled = [&](auto mustExchange) {
        for (bool exchanged = true; exchanged;) {
            exchanged = false;
            for (int i = 2; i <= MaxChambers; ++i) {
                if (mustExchange(r.RoleText[At(i)], r.RoleText[At(i - 1)])) {
                    exchange(i);
                    exchanged = true;
                    break;
                }
            }
        }
    };
    sweepUntilSettled([](char role, char before) { return role == 'S' && (before == 'M' || before == 'R'); });
    sweepUntilSettled([](char role, char before) { return role == 'M' && before == 'R'; });
}

void TForm3::SortChangeKeyPassPositions() {
    ReportState& r = iteration;
    for (bool exchanged = true; exchanged;) {
        exchanged = false;
        for (int i = 2; i <= MaxChambers; ++i) {
            const char before = r.RoleText2[At(i - 1)];
            if (r.RoleText2[At(i)] == 'R' && (before == 'M' || before == 'S')) {
                ExchangePositions(r.PlaceValue2, i - 1, i);
                ExchangePositions(r.StepCount2, i - 1, i);
                std::swap(r.ProgressionTable2[At(i - 1)], r.ProgressionTable2[At(i)]);
                ExchangePositions(r.RoleText2, i - 1, i);
                exchanged = true;
                break;
            }
        }
    }
}

void TForm3::PreparePass() {
    iteration.SecondPass = iteration.PassNumber == ChangeKeyPass;
    iteration.ProgressionTable2 = {};
    ReadChamberRoles();
    PrepareMasterPassPositions();
    SortMasterPassPositions();
    iteration.PlaceValue2 = iteration.PlaceValue;
    iteration.StepCount2 = iteration.StepCount;
    if (iteration.SecondPass)
        PrepareChangeKeyPassPositions();
    for (int k = 1; k <= SubPositions; ++k) {
        iteration.SubStepCount[At(k)] =
            iteration.RoleText[At(k)] == 'S' ? state.UsableDepthCountCopy[At(k)] : 1;
        iteration.SubColumns[At(k)] = 1;
    }
    ResetPassCounters();
    LimitEnumeration();
    StartMasterDesignations(iteration, state.MasterCount);
    HideOutputBand();
    iteration.PageFlushed = false;
    iteration.NothingPending = false;
}

void TForm3::ReadChamberRoles() {
    ReportState& r = iteration;
    // Every position beyond the chambers is blank, so nothing of a larger earlier system counts.
    r.RoleText.fill(' ');
    r.RoleText2.fill(' ');
    for (int p = 1; p <= state.Chambers; ++p)
        r.RoleText[At(p)] = At(p - 1) < state.ChamberRoles.size() ? state.ChamberRoles[At(p - 1)] : 'R';
    CountUsableDepths(state);
    state.UsableDepthCountCopy = state.UsableDepthCount;
    state.TmkCutsCopy = state.TmkCuts;
    state.ProgressionTableCopy = state.ProgressionTable;
}

void TForm3::PrepareMasterPassPositions() {
    ReportState& r = iteration;
    const int chambers = state.Chambers;
    const int depthsInRange = (state.DeepestCut - state.ShallowestCut + 1) / state.StepIncrement;
    r.StepCount = {};
    r.MasterColumns = {};
    for (int p = 1; p <= MaxChambers; ++p) {
        if (p > chambers) {
            state.TmkCuts[At(p)] = 0;
            state.TmkCutsCopy[At(p)] = 0;
            state.ControlCuts[At(p)] = 0;
            continue;
        }
        int& steps = r.StepCount[At(p)];
        steps = r.RoleText[At(p)] == 'R' ? 1 : state.UsableDepthCountCopy[At(p)];
        r.MasterColumns[At(p)] = 1;
        state.TmkCuts[At(p)] = DigitOf(state.TopMasterKey, p);
        if (state.IsICore)
            state.ControlCuts[At(p)] = DigitOf(state.ControlKey, p);
        if (depthsInRange < steps || steps == 0)
            steps = 1;
    }

    // The weight of each position's digit in the key number, 10^(Chambers - p), for every
    // chamber count; positions beyond the chambers weigh nothing.
    r.PlaceValue = {};
    for (int p = chambers, weight = 1; p >= 1; --p, weight *= 10)
        r.PlaceValue[At(p)] = weight;
    r.UsableFlags.fill(true);
}

void TForm3::PrepareChangeKeyPassPositions() {
    ReportState& r = iteration;
    r.RoleText2 = r.RoleText;
    r.ProgressionTable2 = state.ProgressionTableCopy;
    for (int p = 1; p <= state.Chambers; ++p) {
        int& steps = r.StepCount2[At(p)];
        steps = r.RoleText[At(p)] == 'R' ? state.UsableDepthCountCopy[At(p)] : 1;
        if (steps == 0 || steps > state.ProgressionSteps)
            steps = 1;
    }
    SortChangeKeyPassPositions();
}

void TForm3::ResetPassCounters() {
    ReportState& r = iteration;
    // Every entry an earlier pass used is freed, not only the first ones.
    r.ClearEntries();
    r.SubColumnsStart = r.SubColumns;
    r.MastersDone = 0;
    r.SubsDone = 0;
    state.KeyCompositionEnabled = true;
    r.LineCount = 0;
    r.ChangeKeyNumber = 1;
    r.Finishing = false;
    r.ChangeEntryCount = 0;
    r.EntryCount = 0;
    r.BaseValue = 0;
    r.MasterValue = {};
    r.RotValue = {};
    r.SavedMasterValue = {};
    r.SavedSubValue = {};
    r.BandCounter = {};
    r.ReportLines.clear();
}

void TForm3::LimitEnumeration() {
    ReportState& r = iteration;
    // No more masters and sub-masters than the progression forms: beyond that the odometers
    // would only come round to keys already listed.
    int masterCombinations = 1;
    for (int p = 1; p <= 6; ++p)
        if (r.RoleText[At(p)] == 'M')
            masterCombinations *= r.StepCount[At(p)];
    int subCombinations = 1;
    for (int k = 1; k <= SubPositions; ++k)
        if (r.RoleText[At(k)] == 'S')
            subCombinations *= r.SubStepCount[At(k)];
    r.MasterLimit = std::min(state.MasterCount, masterCombinations);
    r.SubMasterLimit = std::min(state.SubMasterCount, subCombinations);
}

// ---------------------------------------------------------------------------------------------
// Master bands.

void TForm3::MasterDataStart(int position, bands::Band&) {
    ReportState& r = iteration;
    r.Counter(MasterBand(position)) = 1;
    if (position == 6)
        r.MasterValue[7] = state.Chambers == MaxChambers ? state.TmkCutsCopy[7] * r.PlaceValue[7] : 0;
    if (position == 4 && state.MasterCount == 0)
        r.Counter(MasterBand(4)) = r.StepCount[4] + 1;
}

void TForm3::MasterAfterDataSkip(int position, bands::Band&) {
    ReportState& r = iteration;
    if (r.Finishing)
        return;
    const std::size_t k = At(position);
    if (r.RoleText[k] == 'M' && position <= state.Chambers) {
        TakeProgressionValue(state.ProgressionTableCopy, position, r.PlaceValue[k], r.MasterColumns[k],
                             r.StepCount[k], r.MasterValue[k], r.UsableFlags[k]);
        r.SavedMasterValue[k] = r.MasterValue[k];
    } else {
        r.MasterValue[k] = position <= state.Chambers ? state.TmkCutsCopy[k] * r.PlaceValue[k] : 0;
        r.Counter(MasterBand(position)) = r.StepCount[k] + 1;
    }
}

void TForm3::ComposeFromMasterValues() {
    const ChamberValues& value = iteration.MasterValue;
    bool keyExists = false;
    bool allControlChambersEqual = false;
    bool controlCompatible = false;
    state.KeyMark = ' ';
    ComposeKey(state, value[7] + value[6] + value[5], value[4], value[3], value[2], value[1],
               iteration.UsableFlags, keyExists, allControlChambersEqual, controlCompatible);
}

void TForm3::WriteMasterEntry() {
    std::string entry = Cut(iteration.MasterDesignation + "  ", 4);
    entry = Cut(entry + state.KeyMark, 5);
    entry = Cut(entry + state.KeyBitting, 13);
    iteration.AddEntry(entry);
    ++iteration.EntryCount;
    Tell(KeyLevel::Master, iteration.MasterDesignation, 0);
}

void TForm3::Master1AfterDataSkip(bands::Band& sender) {
    ReportState& r = iteration;
    if (r.Finishing)
        return;
    MasterAfterDataSkip(1, sender);
    ComposeFromMasterValues();
    ++r.MastersDone;
    r.BaseValue = r.PassNumber < ChangeKeyPass ? 0 : SavedValues(false);
    // Without masters the top master stands alone; it is on the cover sheet, not in a list.
    if (r.PassNumber < ChangeKeyPass && state.MasterCount > 0)
        WriteMasterEntry();
    r.SubColumns = r.SubColumnsStart;
}

int TForm3::SavedValues(bool withSubMasters) const {
    int value = 0;
    for (int p = 1; p <= MaxChambers; ++p)
        value += iteration.SavedMasterValue[At(p)];
    for (int k = 1; withSubMasters && k <= SubPositions; ++k)
        value += iteration.SavedSubValue[At(k)];
    return value;
}

void TForm3::MasterDataSkip(int position, bands::Band& sender) {
    ReportState& r = iteration;
    if (position != 5 && state.MasterCount < 1) {
        sender.SetDone(true);
        return;
    }
    int& counter = r.Counter(MasterBand(position));
    const int steps = r.StepCount[At(position)];
    ++counter;
    if (r.MastersDone >= r.MasterLimit || r.Finishing)
        counter += steps;
    if (steps < counter)
        sender.SetDone(true);
}

void TForm3::Master1DataSkip(bands::Band& sender) {
    ReportState& r = iteration;
    if (state.MasterCount < 1) {
        sender.SetDone(true);
        return;
    }
    int& counter = r.Counter(EnumerationBand::Master1);
    ++counter;
    if (r.MastersDone >= r.MasterLimit || r.Finishing) {
        counter += r.StepCount[1];
    } else {
        AdvanceMasterDesignation(r);
        if (state.SubMasterCount > 0)
            r.SubDesignation = "A";
    }
    if (r.StepCount[1] < counter)
        sender.SetDone(true);
}

void TForm3::Master6DataSkip(bands::Band& sender) {
    ReportState& r = iteration;
    int& counter = r.Counter(EnumerationBand::Master6);
    const int steps = r.StepCount[6];

    // The closing pass has printed what was left in its one run through the bands.
    if (r.PassNumber >= ClosingPass && r.Finishing) {
        sender.SetDone(true);
        return;
    }

    if (state.MasterCount < 1) {
        if (r.ChangeKeysDone != state.ChangeKeyCount) {
            if (steps < counter)
                sender.SetDone(true);
            return;
        }
        counter += steps;
        if (r.LinesBuilt && r.Finishing)
            sender.SetDone(false);
        else if (steps < counter)
            sender.SetDone(true);
        return;
    }

    ++counter;
    // The masters are complete when as many as asked for are listed, or when the odometers have
    // come round and there are no others to form.
    const bool mastersComplete = r.MastersDone >= r.MasterLimit || steps < counter;
    if (!mastersComplete)
        return;
    if (!r.Finishing && !r.FirstEntryEmpty()) {
        // One more run through the bands, finishing, prints the last page.
        r.Finishing = true;
        counter += steps;
        sender.SetDone(false);
        return;
    }
    sender.SetDone(true);
}

// ---------------------------------------------------------------------------------------------
// Sub-master bands.

void TForm3::SubDataStart(int position, bands::Band&) {
    ReportState& r = iteration;
    if (position == 5) {
        if (r.Finishing)
            return;
        r.Counter(EnumerationBand::Sub5) = 1;
        r.SubsDone = 0;
        StartSubDesignations(r, state.MasterCount, state.SubMasterCount);
        return;
    }
    r.Counter(SubBand(position)) = 1;
    if (position == 1)
        r.ChangeKeyNumber = 1;
}

void TForm3::SubAfterDataSkip(int position, bands::Band&) {
    ReportState& r = iteration;
    if (r.Finishing)
        return;
    const std::size_t k = At(position);
    if (r.RoleText[k] == 'S') {
        TakeProgressionValue(state.ProgressionTableCopy, position, r.PlaceValue[k], r.SubColumns[k],
                             r.SubStepCount[k], r.MasterValue[k], r.UsableFlags[k]);
        r.SavedSubValue[k] = r.MasterValue[k];
    }
}

void TForm3::WriteSubMasterEntry() {
    ReportState& r = iteration;
    const std::string designation = r.MasterDesignation + r.SubDesignation;
    std::string entry = Cut(designation, 4);
    entry = Cut(entry + "  ", 6);
    entry = Cut(entry + state.KeyMark, 7);
    entry = Cut(entry + state.KeyBitting, 15);
    r.AddEntry(entry);
    ++r.EntryCount;
    Tell(KeyLevel::SubMaster, Cut(designation, 4), 0);
}

void TForm3::Sub1AfterDataSkip(bands::Band& sender) {
    ReportState& r = iteration;
    if (state.SubMasterCount <= 0)
        return;
    r.ChangeKeyNumber = 1;
    if (r.Finishing)
        return;
    if (r.RoleText[1] != 'S')
        r.Counter(EnumerationBand::Sub1) += state.SubMasterCount;
    else
        SubAfterDataSkip(1, sender);
    ++r.SubsDone;
    state.KeyMark = ' ';
    if (r.PassNumber >= ChangeKeyPass) {
        r.BaseValue = SavedValues(true);
        return;
    }
    ComposeFromMasterValues();
    WriteSubMasterEntry();
}

void TForm3::SubDataSkip(int position, bands::Band& sender) {
    ReportState& r = iteration;
    int& counter = r.Counter(SubBand(position));
    const int steps = r.SubStepCount[At(position)];
    ++counter;
    if (r.Finishing)
        counter += steps;
    if (state.SubMasterCount > 0 && r.SubsDone >= r.SubMasterLimit)
        counter += steps;
    if (steps < counter)
        sender.SetDone(true);
}

void TForm3::Sub1DataSkip(bands::Band& sender) {
    ReportState& r = iteration;
    int& counter = r.Counter(EnumerationBand::Sub1);
    ++counter;
    if (r.SubsDone >= r.SubMasterLimit || r.Finishing)
        counter += r.SubStepCount[1];
    if (r.SubStepCount[1] < counter)
        sender.SetDone(true);
    if (state.SubMasterCount > 0 && r.SubMasterLimit > r.SubsDone)
        AdvanceSubDesignation(r, state.SubMasterCount);
}

// ---------------------------------------------------------------------------------------------
// The lowest-level key.

void TForm3::ForR_PassesDataStart(bands::Band&) {
    if (!iteration.Finishing)
        iteration.ChangeKeysDone = 0;
}

void TForm3::ForR_PassesDataSkip(bands::Band& sender) {
    sender.SetDone(true);
}

// ---------------------------------------------------------------------------------------------
// Rotation bands.

void TForm3::RotDataStart(int position, bands::Band&) {
    ReportState& r = iteration;
    r.Counter(RotBand(position)) = 1;
    if (position == 7 && r.PassNumber == ChangeKeyPass && !r.Finishing) {
        for (int p = 1; p <= state.Chambers; ++p) {
            r.RotColumns[At(p)] = 1;
            r.UsableFlags2[At(p)] = true;
        }
    }
}

void TForm3::RotAfterDataSkip(int position, bands::Band&) {
    ReportState& r = iteration;
    if (r.PassNumber != ChangeKeyPass || r.Finishing)
        return;
    const std::size_t k = At(position);
    if (r.RoleText2[k] == 'R' && position <= state.Chambers)
        TakeProgressionValue(r.ProgressionTable2, position, r.PlaceValue2[k], r.RotColumns[k],
                             r.StepCount2[k], r.RotValue[k], r.UsableFlags2[k]);
}

void TForm3::WriteChangeKeyEntry() {
    ReportState& r = iteration;
    const std::string designation = Cut(r.MasterDesignation + r.SubDesignation, 4);
    std::string entry = designation;
    AppendPadLeft(entry, std::to_string(r.ChangeKeyNumber), ' ', 4);
    entry += "  ";
    entry += state.KeyMark;
    entry += state.KeyBitting;
    r.AddEntry(entry);
    if (keyListener)
        Tell(KeyLevel::ChangeKey, designation, r.ChangeKeyNumber);
}

void TForm3::Rot1AfterDataSkip(bands::Band&) {
    ReportState& r = iteration;
    if (r.PassNumber != ChangeKeyPass || r.Finishing)
        return;
    // Once the keys asked for are listed (none at all, for a system without change keys) the
    // band only runs out.
    if (r.ChangeKeysDone >= state.ChangeKeyCount)
        return;
    TakeProgressionValue(r.ProgressionTable2, 1, r.PlaceValue2[1], r.RotColumns[1], r.StepCount2[1],
                         r.RotValue[1], r.UsableFlags2[1]);
    ComposeChangeKey();
    r.NothingPending = false;
    // A change key that cannot be used is neither listed nor counted.
    if (state.KeyMark != '*')
        ListChangeKey();
}

void TForm3::ComposeChangeKey() {
    const ChamberValues& value = iteration.RotValue;
    bool keyExists = false;
    bool allControlChambersEqual = false;
    bool controlCompatible = false;
    state.KeyMark = ' ';
    ComposeKey(state, value[7] + iteration.BaseValue + value[6] + value[5], value[4], value[3], value[2],
               value[1], iteration.UsableFlags, keyExists, allControlChambersEqual, controlCompatible);
}

void TForm3::ListChangeKey() {
    ReportState& r = iteration;
    WriteChangeKeyEntry();
    ++r.ChangeEntryCount;
    ++r.ChangeKeysDone;
    if (r.ChangeKeysDone == state.ChangeKeyCount && state.MasterCount == 0)
        r.PageFull = true;
    ++r.ChangeKeyNumber;
    if (r.ChangeEntryCount == ChangeKeyEntriesPerPage) {
        LayOutChangeKeyColumns(r);
        r.ChangeEntryCount = 0;
    }
}

int TForm3::RotationStep(int position) const {
    const ReportState& r = iteration;
    const int steps = r.StepCount2[At(position)];
    int step = r.PassNumber == 1 || r.Finishing ? steps : 1;
    if (r.ChangeKeysDone >= state.ChangeKeyCount)
        step += steps;
    return step;
}

void TForm3::RotDataSkip(int position, bands::Band& sender) {
    ReportState& r = iteration;
    int& counter = r.Counter(RotBand(position));
    counter += RotationStep(position);
    if (r.StepCount2[At(position)] < counter)
        sender.SetDone(true);
}

void TForm3::Rot1DataSkip(bands::Band& sender) {
    ReportState& r = iteration;
    int& counter = r.Counter(EnumerationBand::Rot1);
    counter += RotationStep(1);
    const bool passedLimit = r.StepCount2[1] < counter;
    // Only the change-key pass counts change keys; in the master pass nothing is pending here.
    if (r.PassNumber >= ChangeKeyPass && r.ChangeKeysDone >= state.ChangeKeyCount) {
        if (!r.FirstEntryEmpty())
            r.LinesBuilt = true;
        else
            r.NothingPending = true;
    }
    if (r.PageFlushed) {
        r.PageFlushed = false;
        HideOutputBand();
        // Taking the page back must not run the band past its last column, or the first key of
        // the cycle would come round again.
        sender.SetDone(r.NothingPending || passedLimit);
        return;
    }
    if (passedLimit)
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

void TForm3::EndSubBands() {
    for (int k = 1; k <= SubPositions; ++k)
        iteration.Counter(SubBand(k)) = iteration.SubStepCount[At(k)] + 1;
}

void TForm3::EndMasterBands() {
    for (int k = 1; k <= 6; ++k)
        iteration.Counter(MasterBand(k)) = iteration.StepCount[At(k)] + 1;
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
    else if (state.SubMasterCount >= 1)
        PrintSubMasterBlock();
    else if (state.MasterCount > 0)
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
    if (r.SubsDone < r.SubMasterLimit)
        return;
    if (!r.FirstEntryEmpty())
        LayOutSubMasterBlock(r);
    if (r.MastersDone >= r.MasterLimit || r.PageFull) {
        if (!r.FirstEntryEmpty() || r.LinesBuilt)
            ShowOutputBand();
        EndSubBands();
        r.SubsDone = 0;
        if (r.MastersDone >= r.MasterLimit)
            EndMasterBands();
    } else {
        HideOutputBand();
    }
    r.EntryCount = 0;
    r.ClearEntries();
}

void TForm3::PrintMasterPage() {
    ReportState& r = iteration;
    if (r.MastersDone < r.MasterLimit && r.EntryCount != MasterEntriesPerPage)
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

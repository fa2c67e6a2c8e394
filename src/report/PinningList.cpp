#include "report/PinningList.h"

#include "engine/TextLayout.h"
#include "report/FreeText.h"
#include "report/JobDetailsText.h"
#include "report/PinningListText.h"
#include "report/Printouts.h"

#include <algorithm>
#include <utility>

namespace varnholt::report {

namespace {

constexpr double FontSize = 10.0;
constexpr double MarginInches = 0.25;
// The page number's label starts after "Page " at the right of the heading's first line.
constexpr int PageNumberColumn = 83;

std::string Centred(std::string_view text) {
    return CentreText(text, PageWidth);
}

std::string Counted(std::int64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

} // namespace

PinningList::PinningList(const GenerationState& generation, const KeySchedule& schedule, JobDetails details)
    : state(generation), job(std::move(details)), pinner(generation) {
    TakeCylinders(schedule);
    SetUpPage();
}

void PinningList::TakeCylinders(const KeySchedule& schedule) {
    const ExposureCounter counter(state, schedule);
    const auto copy = [](const std::string& text, std::array<char, 8>& into) {
        text.copy(into.data(), std::min(text.size(), into.size() - 1));
    };
    cylinders.reserve(static_cast<std::size_t>(
        std::count_if(schedule.begin(), schedule.end(), [](const ScheduledKey& key) { return key.listed; })));
    for (const ScheduledKey& key : schedule) {
        if (!key.listed)
            continue;
        Cylinder& cylinder = cylinders.emplace_back();
        cylinder.level = key.level;
        cylinder.mark = key.mark;
        cylinder.changeKeyNumber = key.changeKeyNumber;
        copy(key.designation, cylinder.designation);
        copy(key.bitting, cylinder.bitting);
        const CylinderExposure exposure = counter.Exposure(key.bitting);
        cylinder.openingBittings = static_cast<std::uint16_t>(exposure.openingBittings);
        cylinder.systemKeys = static_cast<std::uint16_t>(exposure.systemKeys);
    }
}

ScheduledKey PinningList::KeyOf(const Cylinder& cylinder) {
    ScheduledKey key;
    key.level = cylinder.level;
    key.mark = cylinder.mark;
    key.changeKeyNumber = cylinder.changeKeyNumber;
    key.designation = cylinder.designation.data();
    key.bitting = cylinder.bitting.data();
    return key;
}

void PinningList::SetUpPage() {
    ListPage.Setup().paperWidth = 8.5;
    ListPage.Setup().paperHeight = 11.0;
    ListPage.Setup().leftMargin = MarginInches;
    ListPage.Setup().rightMargin = MarginInches;
    ListPage.Setup().topMargin = MarginInches;
    ListPage.Setup().bottomMargin = MarginInches;
    ListPage.SetDescription("Varnholt Pinning List");
    ListPage.SetPageHeaderOnFirstPage(false);
    for (bands::Label* label : {&TitleBlock, &PageHeading, &PageNumber, &CylinderLines})
        label->SetFontSize(FontSize);

    const bands::FixedPitchMetrics metrics;
    const bands::Font font{"Courier New", FontSize};
    PageNumber.SetVariable(bands::LabelVariable::PageNumber);
    PageNumber.SetPosition(metrics.TextWidth(font, std::string(PageNumberColumn, ' ')), 0.0);
    PageNumber.SetWidth(metrics.TextWidth(font, "00000"));
    PageNumber.SetAlignment(bands::Alignment::Right);
    CylinderDetail.SetHeight(0.0);
    Cylinders.SetVisible(true);

    ListPage.OnDataSkip = [](bands::Page& page) { page.SetDone(true); };
    Cylinders.OnDataStart = [this](bands::Band&) { next = 0; };
    Cylinders.OnAfterDataSkip = [this](bands::Band&) { CylindersAfterDataSkip(); };
    Cylinders.OnDataSkip = [this](bands::Band& band) {
        ++next;
        band.SetDone(next >= cylinders.size());
    };
}

bands::Document PinningList::Run() {
    BuildTitleBlock();
    BuildPageHeading();
    return TheReport.Run();
}

std::string PinningList::KeyName(const ScheduledKey& key) const {
    if (key.level != KeyLevel::TopMaster)
        return key.designation;
    return state.MasterCount > 0 ? "GMK" : "MK";
}

std::vector<std::string> PinningList::SummaryLines() const {
    std::vector<std::string> lines{
        Counted(static_cast<std::int64_t>(cylinders.size()), "cylinder", "cylinders") +
        ", one for every key listed, in the order of the key lists."};
    if (cylinders.empty())
        return lines;
    // The incidental bittings of a cylinder are those that open it without being a key of the system.
    const auto incidental = [](const Cylinder& cylinder) {
        return cylinder.openingBittings - cylinder.systemKeys;
    };
    const Cylinder& worst = *std::max_element(
        cylinders.begin(), cylinders.end(),
        [&](const Cylinder& a, const Cylinder& b) { return incidental(a) < incidental(b); });
    const ScheduledKey worstKey = KeyOf(worst);
    const CylinderExposure worstExposure = worst.Exposure();
    std::string worstName = KeyName(worstKey);
    if (worstKey.changeKeyNumber > 0)
        worstName += " " + std::to_string(worstKey.changeKeyNumber);
    lines.push_back("Most exposed: " + worstName + " (" + worstKey.bitting + ") opens to " +
                    Counted(worstExposure.openingBittings, "bitting", "bittings") + ", " +
                    std::to_string(worstExposure.systemKeys) + " of them keys of the system.");
    std::vector<CylinderExposure> exposures;
    exposures.reserve(cylinders.size());
    for (const Cylinder& cylinder : cylinders)
        exposures.push_back(cylinder.Exposure());
    lines.push_back(TypicalExposureLine(exposures));
    return lines;
}

std::string PinningList::HeadingLine() const {
    std::string line =
        state.MfgName + " " + std::to_string(state.Chambers) + " Pin  Pinning List  " + state.TopMasterKey;
    if (!job.jobNumber.empty())
        line += "  Job " + job.jobNumber;
    // Cut by characters, not bytes: a job number is the user's text, in any alphabet.
    return HeadingBeforePage(line, static_cast<std::size_t>(PageNumberColumn));
}

// The first page has the title block where the others have the page header: its own first line
// and column headings close the block, just above the first cylinders.
void PinningList::BuildTitleBlock() {
    std::vector<std::string> lines{
        HeadingLine() + PadLeft("1", ' ', 6), "", Centred("Pinning List"),
        Centred(state.MfgName + " " + std::to_string(state.Chambers) + " Pin"),
        Centred((state.MasterCount > 0 ? "The Grand Master Key = " : "The Master Key       = ") +
                state.TopMasterKey)};
    if (state.IsICore)
        lines.push_back(Centred("The Control Key      = " + state.ControlKey));
    for (std::string& line : JobDetailsLines(job))
        lines.push_back(std::move(line));
    lines.emplace_back();
    for (std::string& line : SummaryLines())
        lines.push_back(std::move(line));
    lines.emplace_back();
    for (std::string& line : PinningKeyLines(state))
        lines.push_back(std::move(line));
    lines.emplace_back();
    for (std::string& line : PinningColumnHeadings(state))
        lines.push_back(std::move(line));
    TitleBlock.SetLines(std::move(lines));
}

void PinningList::BuildPageHeading() {
    std::vector<std::string> lines{HeadingLine()};
    for (std::string& line : PinningColumnHeadings(state))
        lines.push_back(std::move(line));
    PageHeading.SetLines(std::move(lines));
}

void PinningList::CylindersAfterDataSkip() {
    const ScheduledKey key = KeyOf(cylinders[next]);
    CylinderLines.SetLines(
        PinningLines(state, KeyName(key), key, pinner.Pin(key.bitting), cylinders[next].Exposure()));
}

} // namespace varnholt::report

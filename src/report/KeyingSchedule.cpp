#include "report/KeyingSchedule.h"

#include "engine/TextLayout.h"
#include "report/DoorReportPage.h"
#include "report/DoorReportText.h"
#include "report/JobDetailsText.h"

#include <utility>

namespace varnholt::report {

namespace {

std::string Centred(std::string_view text) {
    return CentreText(text, static_cast<int>(DoorPageWidth));
}

// A sub-data band stepping through blocks of lines, one record each.
void StepThrough(bands::Band& band, bands::Label& label, const std::vector<std::vector<std::string>>& blocks,
                 std::size_t& next) {
    band.OnDataStart = [&blocks, &next](bands::Band& self) {
        next = 0;
        self.SetDone(blocks.empty());
    };
    band.OnAfterDataSkip = [&blocks, &next, &label](bands::Band&) { label.SetLines(blocks[next]); };
    band.OnDataSkip = [&blocks, &next](bands::Band& self) {
        ++next;
        self.SetDone(next >= blocks.size());
    };
}

} // namespace

KeyingSchedule::KeyingSchedule(const KeySystemRequest& systemRequest, const std::vector<systems::Door>& systemDoors,
                               const systems::DoorSchedule& checkedDoors, JobDetails details)
    : request(systemRequest), doors(systemDoors), checked(checkedDoors), job(std::move(details)) {
    SetUpPage();
}

void KeyingSchedule::SetUpPage() {
    SetUpDoorReportPage(SchedulePage, "Varnholt Keying Schedule",
                        {&SchematicTitle, &PageHeading, &SchematicLines, &TitleBlock, &DoorLines, &SummaryLines},
                        PageNumber);
    for (bands::Band* band : {&SchematicDetail, &DoorDetail, &SummaryDetail})
        band->SetHeight(0.0);
    // The schematic is the sheet a customer looks at first: the doors start on a page of their own.
    TitleDetail.SetNewPage(true);
    StepThrough(SchematicKeys, SchematicLines, schematic, nextKey);
    StepThrough(SummarySections, SummaryLines, summary, nextSection);
    Doors.OnDataStart = [this](bands::Band& band) {
        nextDoor = 0;
        band.SetDone(doors.empty());
    };
    Doors.OnAfterDataSkip = [this](bands::Band&) {
        DoorLines.SetLines(DoorBlock(request, doors[nextDoor], checked.Doors()[nextDoor], checked.Keys()));
    };
    Doors.OnDataSkip = [this](bands::Band& band) {
        ++nextDoor;
        band.SetDone(nextDoor >= doors.size());
    };
}

void KeyingSchedule::BuildTitles() {
    const std::string heading = DoorReportHeading(request, "Keying Schedule", job.jobNumber, DoorPageNumberColumn);
    std::vector<std::string> title{heading + PadLeft("1", ' ', 6), "", Centred("Keying Schematic"),
                                   Centred(request.MfgName + " " + std::to_string(request.Chambers) + " Pin"), ""};
    if (doors.empty()) {
        title.emplace_back("This system has no doors yet.");
    } else {
        title.emplace_back("Each key with the doors keyed to it; a door also opens to every key above those.");
        title.emplace_back("\"AA *\": the doors that every key under AA opens (common entry).");
    }
    title.emplace_back();
    SchematicTitle.SetLines(std::move(title));

    std::vector<std::string> block{Centred("Keying Schedule"),
                                   Centred(request.MfgName + " " + std::to_string(request.Chambers) + " Pin"),
                                   Centred((request.MasterCount > 0 ? "The Grand Master Key = " : "The Master Key       = ") +
                                           request.TopMasterKey)};
    if (request.IsICore)
        block.push_back(Centred("The Control Key      = " + request.ControlKey));
    for (std::string& line : JobDetailsLines(job))
        block.push_back(std::move(line));
    block.emplace_back();
    for (std::string& line : KeyingScheduleLegend(request))
        block.push_back(std::move(line));
    block.emplace_back();
    TitleBlock.SetLines(std::move(block));
    PageHeading.SetLines({heading, ""});
}

bands::Document KeyingSchedule::Run() {
    schematic = SchematicBlocks(doors, checked);
    summary = SummaryBlocks(doors, checked);
    BuildTitles();
    return TheReport.Run();
}

} // namespace varnholt::report

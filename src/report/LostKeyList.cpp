#include "report/LostKeyList.h"

#include "engine/TextLayout.h"
#include "report/DoorReportPage.h"
#include "report/DoorReportText.h"
#include "report/JobDetailsText.h"

#include <utility>

namespace varnholt::report {

LostKeyList::LostKeyList(const KeySystemRequest& systemRequest, const std::vector<systems::Door>& systemDoors,
                         const systems::DoorSchedule& checkedDoors, std::size_t lostKey, JobDetails details)
    : request(systemRequest), doors(systemDoors), checked(checkedDoors), key(lostKey), job(std::move(details)) {
    SetUpDoorReportPage(ListPage, "Varnholt Lost Key List", {&TitleBlock, &PageHeading, &DoorLines}, PageNumber);
    DoorDetail.SetHeight(0.0);
    OpenedDoors.OnDataStart = [this](bands::Band& band) {
        next = 0;
        band.SetDone(opened.empty());
    };
    OpenedDoors.OnAfterDataSkip = [this](bands::Band&) {
        DoorLines.SetLines(LostKeyRow(doors[opened[next].door], opened[next].intended));
    };
    OpenedDoors.OnDataSkip = [this](bands::Band& band) {
        ++next;
        band.SetDone(next >= opened.size());
    };
}

void LostKeyList::BuildTitles() {
    const std::string designation = checked.Keys().Designation(key);
    const std::string heading =
        DoorReportHeading(request, "Lost Key " + designation, job.jobNumber, DoorPageNumberColumn);
    const auto centred = [](std::string_view text) { return CentreText(text, static_cast<int>(DoorPageWidth)); };
    std::vector<std::string> block{heading + PadLeft("1", ' ', 6), "", centred("Lost Key List"),
                                   centred(request.MfgName + " " + std::to_string(request.Chambers) + " Pin"),
                                   centred("Lost: key " + designation)};
    for (std::string& line : JobDetailsLines(job))
        block.push_back(std::move(line));
    block.emplace_back();
    for (std::string& line : LostKeyVerdict(designation, opened, doors.size()))
        block.push_back(std::move(line));
    block.emplace_back();
    if (!opened.empty())
        for (std::string& line : LostKeyColumnHeadings())
            block.push_back(std::move(line));
    TitleBlock.SetLines(std::move(block));

    std::vector<std::string> header{heading};
    for (std::string& line : LostKeyColumnHeadings())
        header.push_back(std::move(line));
    PageHeading.SetLines(std::move(header));
}

bands::Document LostKeyList::Run() {
    opened = checked.LostKey(key);
    BuildTitles();
    return TheReport.Run();
}

} // namespace varnholt::report

#pragma once

#include "bands/Report.h"
#include "engine/GenerationState.h"
#include "report/JobDetails.h"
#include "systems/Door.h"
#include "systems/DoorSchedule.h"

#include <cstddef>
#include <string>
#include <vector>

namespace varnholt::report {

// The lost-key list of one key as a banded report: the title block with what the key opens in
// words, then one record of the band OpenedDoors per door it opens. Later pages have the page
// header with the column headings and the page number.
class LostKeyList {
public:
    // request, doors and checked must outlive the report; key is the lost key's schedule index.
    LostKeyList(const KeySystemRequest& request, const std::vector<systems::Door>& doors,
                const systems::DoorSchedule& checked, std::size_t key, JobDetails job = {});
    LostKeyList(const LostKeyList&) = delete;
    LostKeyList& operator=(const LostKeyList&) = delete;

    bands::Document Run();

    bands::Report TheReport;
    bands::Page& ListPage = TheReport.ReportPage();
    bands::Band& TitleBand = TheReport.AddReportHeader("TitleBand");
    bands::Label& TitleBlock = TitleBand.AddLabel("TitleBlock");
    bands::Band& PageHeaderBand = TheReport.AddPageHeader("PageHeaderBand");
    bands::Label& PageHeading = PageHeaderBand.AddLabel("PageHeading");
    bands::Label& PageNumber = PageHeaderBand.AddLabel("PageNumber");
    bands::Band& DoorDetail = TheReport.AddDetail("DoorDetail");
    bands::Band& OpenedDoors = TheReport.AddSubDataBand(DoorDetail, "OpenedDoors");
    bands::Label& DoorLines = OpenedDoors.AddLabel("DoorLines");

private:
    void BuildTitles();

    const KeySystemRequest& request;
    const std::vector<systems::Door>& doors;
    const systems::DoorSchedule& checked;
    std::size_t key;
    JobDetails job;
    std::vector<systems::LostKeyDoor> opened;
    std::size_t next = 0;
};

} // namespace varnholt::report

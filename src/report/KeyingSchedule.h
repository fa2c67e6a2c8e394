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

// The keying schedule of a system's doors as a banded report: the keying schematic on the
// first pages, then on a page of its own the title block, one record of the band Doors per door,
// and the summary, a record of the band SummarySections per section. Later pages have the page
// header with the page number.
class KeyingSchedule {
public:
    // request, doors and checked must outlive the report.
    KeyingSchedule(const KeySystemRequest& request, const std::vector<systems::Door>& doors,
                   const systems::DoorSchedule& checked, JobDetails job = {});
    KeyingSchedule(const KeyingSchedule&) = delete;
    KeyingSchedule& operator=(const KeyingSchedule&) = delete;

    bands::Document Run();

    bands::Report TheReport;
    bands::Page& SchedulePage = TheReport.ReportPage();
    bands::Band& SchematicTitleBand = TheReport.AddReportHeader("SchematicTitleBand");
    bands::Label& SchematicTitle = SchematicTitleBand.AddLabel("SchematicTitle");
    bands::Band& PageHeaderBand = TheReport.AddPageHeader("PageHeaderBand");
    bands::Label& PageHeading = PageHeaderBand.AddLabel("PageHeading");
    bands::Label& PageNumber = PageHeaderBand.AddLabel("PageNumber");
    bands::Band& SchematicDetail = TheReport.AddDetail("SchematicDetail");
    bands::Band& SchematicKeys = TheReport.AddSubDataBand(SchematicDetail, "SchematicKeys");
    bands::Label& SchematicLines = SchematicKeys.AddLabel("SchematicLines");
    bands::Band& TitleDetail = TheReport.AddDetail("TitleDetail");
    bands::Label& TitleBlock = TitleDetail.AddLabel("TitleBlock");
    bands::Band& DoorDetail = TheReport.AddDetail("DoorDetail");
    bands::Band& Doors = TheReport.AddSubDataBand(DoorDetail, "Doors");
    bands::Label& DoorLines = Doors.AddLabel("DoorLines");
    bands::Band& SummaryDetail = TheReport.AddDetail("SummaryDetail");
    bands::Band& SummarySections = TheReport.AddSubDataBand(SummaryDetail, "SummarySections");
    bands::Label& SummaryLines = SummarySections.AddLabel("SummaryLines");

private:
    void SetUpPage();
    void BuildTitles();

    const KeySystemRequest& request;
    const std::vector<systems::Door>& doors;
    const systems::DoorSchedule& checked;
    JobDetails job;
    std::vector<std::vector<std::string>> schematic;
    std::vector<std::vector<std::string>> summary;
    std::size_t nextKey = 0;
    std::size_t nextDoor = 0;
    std::size_t nextSection = 0;
};

} // namespace varnholt::report

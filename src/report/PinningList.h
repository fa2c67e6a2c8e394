#pragma once

#include "bands/Report.h"
#include "engine/CylinderPinning.h"
#include "engine/GenerationState.h"
#include "engine/ScheduledKey.h"
#include "report/JobDetails.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnholt::report {

// The pinning list: every cylinder of the system in the order of the key lists, each with the
// pins of every chamber and how many bittings turn its plug. A banded report like the system's:
// a title block on the first page, a page header with the column headings and the page number,
// and one record of the band Cylinders per cylinder.
// Everything the list needs of the schedule is taken when it is made, so that the schedule can
// go before the list is laid out.
class PinningList {
public:
    PinningList(const GenerationState& state, const KeySchedule& schedule, JobDetails job = {});
    PinningList(const PinningList&) = delete;
    PinningList& operator=(const PinningList&) = delete;

    bands::Document Run();

    bands::Report TheReport;
    bands::Page& ListPage = TheReport.ReportPage();
    bands::Band& TitleBand = TheReport.AddReportHeader("TitleBand");
    bands::Label& TitleBlock = TitleBand.AddLabel("TitleBlock");
    bands::Band& PageHeaderBand = TheReport.AddPageHeader("PageHeaderBand");
    bands::Label& PageHeading = PageHeaderBand.AddLabel("PageHeading");
    bands::Label& PageNumber = PageHeaderBand.AddLabel("PageNumber");
    bands::Band& CylinderDetail = TheReport.AddDetail("CylinderDetail");
    bands::Band& Cylinders = TheReport.AddSubDataBand(CylinderDetail, "Cylinders");
    bands::Label& CylinderLines = Cylinders.AddLabel("CylinderLines");

private:
    // A listed key as the list prints it, kept small: the largest system has close to 300,000.
    struct Cylinder {
        KeyLevel level = KeyLevel::ChangeKey;
        char mark = ' ';
        int changeKeyNumber = 0;
        std::array<char, 8> designation{};
        std::array<char, 8> bitting{};
        // At most 2^7 bittings open a cylinder.
        std::uint16_t openingBittings = 0;
        std::uint16_t systemKeys = 0;

        CylinderExposure Exposure() const { return {openingBittings, systemKeys}; }
    };

    void TakeCylinders(const KeySchedule& schedule);
    void SetUpPage();
    void BuildTitleBlock();
    std::vector<std::string> SummaryLines() const;
    void BuildPageHeading();
    std::string HeadingLine() const;
    void CylindersAfterDataSkip();
    std::string KeyName(const ScheduledKey& key) const;
    static ScheduledKey KeyOf(const Cylinder& cylinder);

    const GenerationState& state;
    JobDetails job;
    CylinderPinner pinner;
    std::vector<Cylinder> cylinders;
    std::size_t next = 0;
};

} // namespace varnholt::report

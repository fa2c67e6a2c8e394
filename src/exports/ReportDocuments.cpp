#include "exports/ReportDocuments.h"

#include "report/PinningList.h"
#include "report/TForm3.h"

#include <memory>

namespace varnholt::exports {

bands::Document SystemReportDocument(const GenerationState& state, const KeySchedule& schedule,
                                     const report::JobDetails& job, bands::Recording recording,
                                     bands::Report::PageSink sink) {
    // The form with all its bands is large for a stack.
    const auto form = std::make_unique<report::TForm3>();
    form->SetJobDetails(job);
    form->TheReport2.SetRecording(recording);
    form->TheReport2.SetPageSink(std::move(sink));
    return form->StartReport(state, schedule);
}

bands::Document PinningListDocument(const GenerationState& state, std::optional<KeySchedule>& schedule,
                                    const report::JobDetails& job, bands::Recording recording,
                                    bands::Report::PageSink sink) {
    report::PinningList list(state, *schedule, job);
    schedule.reset();
    list.TheReport.SetRecording(recording);
    list.TheReport.SetPageSink(std::move(sink));
    return list.Run();
}

} // namespace varnholt::exports

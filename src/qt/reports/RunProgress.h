#pragma once

#include "bands/Report.h"

#include <QElapsedTimer>
#include <QProgressDialog>

namespace varnholt::qtreports {

// While it lives, a report run shows its progress page by page (after half a second) and lets
// the window system breathe; Cancel aborts the run, which then ends with the pages so far.
//     RunProgress progress(report, parent);
//     bands::Document document = report.Run();
class RunProgress {
public:
    RunProgress(bands::Report& report, QWidget* parent);
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;
    ~RunProgress();

    QProgressDialog& Dialog() { return dialog; }

private:
    void PageFinished(int pageNumber);

    bands::Report& report;
    QProgressDialog dialog;
    QElapsedTimer sinceEvents;
};

} // namespace varnholt::qtreports
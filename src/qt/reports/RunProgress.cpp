#include "qt/reports/RunProgress.h"

#include <QCoreApplication>

namespace varnholt::qtreports {
namespace {
// Handling window events after every page would slow a long report down for nothing.
constexpr qint64 EventIntervalMilliseconds = 50;
} // namespace

RunProgress::RunProgress(bands::Report& running, QWidget* parent)
    : report(running),
      dialog(QStringLiteral("Preparing the report..."), QStringLiteral("Cancel"), 0, 0, parent) {
    dialog.setWindowTitle(QString::fromStdString(running.ReportPage().Description()));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(500);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    sinceEvents.start();
    report.SetPageFinished([this](int pageNumber) { PageFinished(pageNumber); });
}

RunProgress::~RunProgress() {
    report.SetPageFinished({});
}

void RunProgress::PageFinished(int pageNumber) {
    if (sinceEvents.elapsed() >= EventIntervalMilliseconds) {
        dialog.setLabelText(QStringLiteral("Page %1").arg(pageNumber));
        dialog.setValue(0);
        QCoreApplication::processEvents();
        sinceEvents.restart();
    }
    if (dialog.wasCanceled()) {
        report.Abort();
    }
}

} // namespace varnholt::qtreports
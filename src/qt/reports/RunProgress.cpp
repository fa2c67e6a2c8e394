#include "qt/reports/RunProgress.h"

#include <QCoreApplication>

namespace varnholt::qtreports {
namespace {
// Handling window events after every page would slow a long report down for nothing.
constexpr qint64 EventIntervalMilliseconds = 50;
}  // namespace

RunProgress::RunProgress(bands::Report& report, QWidget* parent)
    : report_(report), dialog_(QStringLiteral("Preparing the report..."), QStringLiteral("Cancel"), 0, 0, parent) {
    dialog_.setWindowTitle(QString::fromStdString(report.ReportPage().Description()));
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(500);
    dialog_.setAutoReset(false);
    dialog_.setAutoClose(false);
    sinceEvents_.start();
    report_.SetPageFinished([this](int pageNumber) { PageFinished(pageNumber); });
}

RunProgress::~RunProgress() {
    report_.SetPageFinished({});
}

void RunProgress::PageFinished(int pageNumber) {
    if (sinceEvents_.elapsed() >= EventIntervalMilliseconds) {
        dialog_.setLabelText(QStringLiteral("Page %1").arg(pageNumber));
        dialog_.setValue(0);
        QCoreApplication::processEvents();
        sinceEvents_.restart();
    }
    if (dialog_.wasCanceled()) {
        report_.Abort();
    }
}

}  // namespace varnholt::qtreports
#include "qt/reports/OutputProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace varnholt::qtreports {
namespace {
// Handling window events after every page would slow the output down for nothing.
constexpr qint64 EventIntervalMilliseconds = 40;
} // namespace

OutputProgress::OutputProgress(QWidget* parent, const QString& text, int pageCount) {
    if (pageCount <= PagesWorthAProgressDialog) {
        return;
    }
    dialog = std::make_unique<QProgressDialog>(text, QStringLiteral("Cancel"), 0, pageCount, parent);
    dialog->setObjectName(QStringLiteral("OutputProgress"));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(300);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setValue(0);
    sinceEvents.start();
}

OutputProgress::~OutputProgress() = default;

PageProgress OutputProgress::Callback() {
    if (!dialog) {
        return {};
    }
    return [this](int pagesDone, int) { return PageDone(pagesDone); };
}

bool OutputProgress::PageDone(int pagesDone) {
    if (sinceEvents.elapsed() >= EventIntervalMilliseconds) {
        dialog->setValue(pagesDone);
        dialog->setLabelText(QStringLiteral("%1\nPage %2 of %3")
                                 .arg(dialog->labelText().section(QChar('\n'), 0, 0))
                                 .arg(pagesDone)
                                 .arg(dialog->maximum()));
        QCoreApplication::processEvents();
        sinceEvents.restart();
    }
    return !dialog->wasCanceled();
}

} // namespace varnholt::qtreports
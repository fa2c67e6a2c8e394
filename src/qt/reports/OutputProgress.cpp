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
    dialog_ = std::make_unique<QProgressDialog>(text, QStringLiteral("Cancel"), 0, pageCount, parent);
    dialog_->setObjectName(QStringLiteral("OutputProgress"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(300);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setValue(0);
    sinceEvents_.start();
}

OutputProgress::~OutputProgress() = default;

PageProgress OutputProgress::Callback() {
    if (!dialog_) {
        return {};
    }
    return [this](int pagesDone, int) { return PageDone(pagesDone); };
}

bool OutputProgress::PageDone(int pagesDone) {
    if (sinceEvents_.elapsed() >= EventIntervalMilliseconds) {
        dialog_->setValue(pagesDone);
        dialog_->setLabelText(QStringLiteral("%1\nPage %2 of %3")
                                  .arg(dialog_->labelText().section(QChar('\n'), 0, 0))
                                  .arg(pagesDone)
                                  .arg(dialog_->maximum()));
        QCoreApplication::processEvents();
        sinceEvents_.restart();
    }
    return !dialog_->wasCanceled();
}

} // namespace varnholt::qtreports
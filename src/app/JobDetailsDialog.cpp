#include "app/JobDetailsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace varnholt::app {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace

JobDetailsDialog::JobDetailsDialog(const report::JobDetails& details, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Job Details"));
    setObjectName(QStringLiteral("JobDetailsDialog"));
    customer = new QLineEdit(FromUtf8(details.customer), this);
    site = new QLineEdit(FromUtf8(details.site), this);
    jobNumber = new QLineEdit(FromUtf8(details.jobNumber), this);
    customer->setObjectName(QStringLiteral("customer"));
    site->setObjectName(QStringLiteral("site"));
    jobNumber->setObjectName(QStringLiteral("jobNumber"));
    notes = new QPlainTextEdit(FromUtf8(details.notes), this);
    notes->setTabChangesFocus(true);
    customer->setMinimumWidth(420);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Customer:"), customer);
    fields->addRow(QStringLiteral("&Site:"), site);
    fields->addRow(QStringLiteral("&Job number:"), jobNumber);
    fields->addRow(QStringLiteral("&Notes:"), notes);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

report::JobDetails JobDetailsDialog::Details() const {
    return {ToUtf8(customer->text()), ToUtf8(site->text()), ToUtf8(jobNumber->text()),
            ToUtf8(notes->toPlainText())};
}

} // namespace varnholt::app

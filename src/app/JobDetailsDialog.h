#pragma once

#include "report/JobDetails.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace varnholt::app {

// "Job Details": customer, site, job number and notes of the system in the preview. Free text,
// all optional; OK takes what the fields hold, Cancel or Escape changes nothing.
class JobDetailsDialog : public QDialog {
public:
    JobDetailsDialog(const report::JobDetails& details, QWidget* parent);

    report::JobDetails Details() const;

    QLineEdit& Customer() { return *customer; }
    QLineEdit& Site() { return *site; }
    QLineEdit& JobNumber() { return *jobNumber; }
    QPlainTextEdit& Notes() { return *notes; }

private:
    QLineEdit* customer = nullptr;
    QLineEdit* site = nullptr;
    QLineEdit* jobNumber = nullptr;
    QPlainTextEdit* notes = nullptr;
};

} // namespace varnholt::app

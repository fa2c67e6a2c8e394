#pragma once

#include "qt/reports/PdfOutput.h"

#include <QElapsedTimer>

#include <memory>

class QProgressDialog;
class QString;
class QWidget;

namespace varnholt::qtreports {

// Reports longer than this show their progress while they are saved or printed.
inline constexpr int PagesWorthAProgressDialog = 200;

// The progress of saving or printing a long report: a dialog with Cancel over parent, shown once
// the work takes a moment, and window events handled meanwhile so that the program stays
// responsive. Short reports get no dialog and go through undisturbed.
class OutputProgress {
public:
    OutputProgress(QWidget* parent, const QString& text, int pageCount);
    ~OutputProgress();
    OutputProgress(const OutputProgress&) = delete;
    OutputProgress& operator=(const OutputProgress&) = delete;

    // For WritePdf and PrintDocument: false once the user has pressed Cancel.
    PageProgress Callback();
    // The dialog, while there is one.
    QProgressDialog* Dialog() const { return dialog.get(); }

private:
    bool PageDone(int pagesDone);

    std::unique_ptr<QProgressDialog> dialog;
    QElapsedTimer sinceEvents;
};

} // namespace varnholt::qtreports
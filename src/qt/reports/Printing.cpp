#include "qt/reports/Printing.h"

#include "qt/reports/OutputProgress.h"
#include "qt/reports/PageRenderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace varnholt::qtreports {
namespace {

constexpr double PointsPerInch = 72.0;

void PreparePrinter(const bands::Document& document, QPrinter& printer) {
    printer.setDocName(
        QString::fromStdString(document.title.empty() ? std::string("Report") : document.title));
    printer.setFullPage(true);
    printer.setPageSize(
        QPageSize(QSizeF(document.setup.paperWidth, document.setup.paperHeight), QPageSize::Inch));
    printer.setPageOrientation(QPageLayout::Portrait);
    // Qt rounds font sizes to whole device pixels; at 1440 dpi the report font is exactly 10 pt.
    printer.setResolution(1440);
}

} // namespace

OutputResult PrintDocument(const bands::Document& document, QPrinter& printer, const PageProgress& progress) {
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return {false,
                "The printer \"" + printer.printerName().toStdString() + "\" could not start printing."};
    }
    const double pixelsPerPoint = printer.resolution() / PointsPerInch;
    for (std::size_t index = 0; index < document.pages.size(); ++index) {
        if (index > 0 && !printer.newPage()) {
            painter.end();
            return {false, "The printer \"" + printer.printerName().toStdString() + "\" stopped at page " +
                               std::to_string(index + 1) + "."};
        }
        DrawPage(painter, document.pages[index], pixelsPerPoint);
        if (progress && !progress(static_cast<int>(index + 1), static_cast<int>(document.pages.size()))) {
            printer.abort();
            painter.end();
            return {false, {}, true};
        }
    }
    if (!painter.end()) {
        return {false,
                "The printer \"" + printer.printerName().toStdString() + "\" could not finish the job."};
    }
    return {true, {}};
}

OutputResult PrintToQueue(const bands::Document& document, const std::string& queueName) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(queueName));
    if (info.isNull()) {
        return {false, "The print queue \"" + queueName + "\" does not exist."};
    }
    QPrinter printer(info, QPrinter::HighResolution);
    // Without a print system Qt silently falls back to PDF output with no file; refuse that.
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        return {false, "The print queue \"" + queueName + "\" cannot be reached."};
    }
    PreparePrinter(document, printer);
    return PrintDocument(document, printer);
}

DialogPrint PrintWithDialog(const bands::Document& document, QWidget* parent, std::string& message) {
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(document, printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, static_cast<int>(document.pages.size()));
    if (dialog.exec() != QDialog::Accepted) {
        return DialogPrint::Cancelled;
    }
    bands::Document chosen;
    const bands::Document* toPrint = &document;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        chosen.title = document.title;
        chosen.setup = document.setup;
        const auto first = static_cast<std::size_t>(printer.fromPage() - 1);
        const auto last = std::min(document.pages.size(), static_cast<std::size_t>(printer.toPage()));
        for (std::size_t index = first; index < last; ++index) {
            chosen.pages.push_back(document.pages[index]);
        }
        toPrint = &chosen;
    }
    OutputProgress progress(parent, QStringLiteral("Printing..."), static_cast<int>(toPrint->pages.size()));
    const OutputResult result = PrintDocument(*toPrint, printer, progress.Callback());
    message = result.message;
    if (result.cancelled) {
        return DialogPrint::Cancelled;
    }
    return result.succeeded ? DialogPrint::Printed : DialogPrint::Failed;
}

} // namespace varnholt::qtreports
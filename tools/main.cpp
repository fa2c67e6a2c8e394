#include "BatchCommand.h"
#include "Terminal.h"
#include "VarnholtVersion.h"

#include "files/InterruptCleanup.h"
#include "files/Utf8Path.h"

#include "qt/reports/PdfOutput.h"
#include "qt/reports/Printing.h"

#include <QApplication>
#include <QByteArray>

#include <cstdio>
#include <iostream>
#include <optional>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Qt's own notices (a missing runtime folder, plugin hints) mean nothing to the user of a batch
// command; only its errors reach standard error.
void ReportQtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // The command makes one report and ends: large blocks it frees stay with it for the next ones
    // rather than going back to the system and being faulted in again page by page, as drawing
    // the largest system's PDF would do with its buffers over and over.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
    const std::vector<std::string> arguments = varnholt::files::Utf8Arguments(argc, argv);
    // An interrupted run, or a reader that stops reading, leaves no temporary file behind.
    varnholt::files::InterruptCleanup::Install();

    // Qt is started only when the report is drawn on paper, and never needs a display.
    std::optional<QApplication> application;
    int qtArgumentCount = 1;
    const auto startQt = [&]() {
        if (application)
            return;
        qInstallMessageHandler(ReportQtErrorsOnly);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
        application.emplace(qtArgumentCount, argv);
    };
    varnholt::tools::PaperServices paper;
    paper.programVersion = VarnholtVersion;
    paper.qtVersion = qVersion();
    paper.writePdf = [&](const varnholt::bands::Document& document, const std::filesystem::path& file) {
        startQt();
        const varnholt::qtreports::OutputResult result = varnholt::qtreports::WritePdf(document, file);
        return varnholt::tools::PaperResult{result.succeeded, result.message};
    };
    paper.printToQueue = [&](const varnholt::bands::Document& document, const std::string& queue) {
        startQt();
        const varnholt::qtreports::OutputResult result = varnholt::qtreports::PrintToQueue(document, queue);
        return varnholt::tools::PaperResult{result.succeeded, result.message};
    };
    return varnholt::tools::RunBatchCommand(arguments, std::cout, std::cerr,
                                            varnholt::tools::StandardOutputIsTerminal(), paper);
}

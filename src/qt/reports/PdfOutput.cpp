#include "qt/reports/PdfOutput.h"

#include "files/Utf8Path.h"
#include "qt/reports/PageRenderer.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace varnholt::qtreports {
namespace {
constexpr int Resolution = 720;
constexpr double PointsPerInch = 72.0;
} // namespace

OutputResult WritePdf(const bands::Document& document, const std::filesystem::path& file,
                      const PageProgress& progress) {
    const QString fileName = QString::fromStdU16String(file.u16string());
    // The writer does not notice failed writes (a full disk), so the file is ours to check.
    QFile output(fileName);
    if (!output.open(QIODevice::WriteOnly)) {
        return {false, "The PDF file \"" + files::Utf8Of(file) +
                           "\" could not be written: " + output.errorString().toStdString() + "."};
    }
    QPdfWriter writer(&output);
    writer.setResolution(Resolution);
    writer.setTitle(QString::fromStdString(document.title));
    writer.setCreator(QStringLiteral("Varnholt"));
    writer.setPageSize(
        QPageSize(QSizeF(document.setup.paperWidth, document.setup.paperHeight), QPageSize::Inch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return {false, "The PDF file \"" + files::Utf8Of(file) + "\" could not be written."};
    }
    const double pixelsPerPoint = Resolution / PointsPerInch;
    for (std::size_t index = 0; index < document.pages.size(); ++index) {
        if (index > 0) {
            writer.newPage();
        }
        DrawPage(painter, document.pages[index], pixelsPerPoint);
        if (progress && !progress(static_cast<int>(index + 1), static_cast<int>(document.pages.size()))) {
            painter.end();
            return {false, {}, true};
        }
    }
    if (!painter.end() || !output.flush() || output.error() != QFileDevice::NoError) {
        const std::string reason = output.error() != QFileDevice::NoError
                                       ? ": " + output.errorString().toStdString()
                                       : std::string();
        return {false, "The PDF file \"" + files::Utf8Of(file) + "\" could not be completed" + reason + "."};
    }
    return {true, {}};
}

} // namespace varnholt::qtreports
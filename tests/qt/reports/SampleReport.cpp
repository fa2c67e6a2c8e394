#include "SampleReport.h"

#include "bands/Report.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <cmath>

namespace varnholt::qtreports {

bands::Document SampleDocument(int pages) {
    bands::Report report;
    report.ReportPage().SetMargins(0.25, 0.25, 0.25, 0.25);
    report.ReportPage().SetDescription("Sample Report");
    bands::Band& header = report.AddPageHeader("Header");
    header.SetStretch(true);
    header.AddLabel("RHeader").SetLines(
        {std::string(70, '*') + "\r", "                  SAMPLE 6 Pin", "Page No.", ""});
    bands::Label& pageNumber = header.AddLabel("varlabel");
    pageNumber.SetVariable(bands::LabelVariable::PageNumber);
    pageNumber.SetPosition(9 * 6.0, 2 * 10.5);
    bands::Band& detail = report.AddDetail("Detail");
    bands::Band& output = report.AddSubDataBand(detail, "ForPrinting");
    output.SetNewPage(true);
    output.SetStretch(true);
    bands::Label& lines = output.AddLabel("Output");
    int page = 0;
    output.OnAfterDataSkip = [&page, &lines](bands::Band&) {
        ++page;
        std::vector<std::string> rows;
        for (int row = 1; row <= 60; ++row) {
            std::string line;
            for (int column = 0; column < 4; ++column) {
                const std::string entry =
                    "A" + std::to_string(page) + "-" + std::to_string(row * 4 + column) + "  *123456";
                line += std::string(20 - entry.size(), ' ') + entry;
            }
            rows.push_back(line + "\r");
        }
        lines.SetLines(std::move(rows));
    };
    output.OnDataSkip = [&page, pages](bands::Band& sender) { sender.SetDone(page == pages); };
    return report.Run();
}

std::optional<QString> ReadPdfText(const std::filesystem::path& pdf, const bands::Document& document) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (program.isEmpty()) {
        return std::nullopt;
    }
    // pdftotext takes whole points only.
    const long left = std::lround(document.setup.leftMargin * 72.0);
    const QStringList arguments{QStringLiteral("-fixed"),
                                QString::number(document.columnWidth),
                                QStringLiteral("-x"),
                                QString::number(left),
                                QStringLiteral("-y"),
                                QStringLiteral("0"),
                                QStringLiteral("-W"),
                                QString::number(std::lround(document.setup.paperWidth * 72.0) - left),
                                QStringLiteral("-H"),
                                QString::number(std::lround(document.setup.paperHeight * 72.0)),
                                QString::fromStdString(pdf.string()),
                                QStringLiteral("-")};
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::vector<std::vector<QString>> NormalisedPages(const QString& text) {
    std::vector<std::vector<QString>> pages;
    for (const QString& pageText : text.split(QChar('\f'))) {
        std::vector<QString> rows;
        for (QString row : pageText.split(QChar('\n'))) {
            while (row.endsWith(QChar(' '))) {
                row.chop(1);
            }
            rows.push_back(row);
        }
        while (!rows.empty() && rows.back().isEmpty()) {
            rows.pop_back();
        }
        pages.push_back(rows);
    }
    while (!pages.empty() && pages.back().empty()) {
        pages.pop_back();
    }
    return pages;
}

} // namespace varnholt::qtreports
#include "qt/reports/PageView.h"

#include "qt/reports/PageRenderer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace qtreports {
namespace {
constexpr double PointsPerInch = 72.0;
constexpr int Gap = 12;  // grey border around the sheet, in pixels
}  // namespace

PageView::PageView(const bands::Document& document, QWidget* parent) : QAbstractScrollArea(parent), document_(document) {
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

QSizeF PageView::PaperPoints() const {
    return {document_.setup.paperWidth * PointsPerInch, document_.setup.paperHeight * PointsPerInch};
}

double PageView::PixelsPerPoint() const {
    const QSizeF paper = PaperPoints();
    const QSize area = viewport()->size() - QSize(2 * Gap, 2 * Gap);
    switch (zoomMode_) {
    case ZoomMode::WholePage:
        return std::max(0.05, std::min(area.width() / paper.width(), area.height() / paper.height()));
    case ZoomMode::PageWidth:
        return std::max(0.05, area.width() / paper.width());
    case ZoomMode::Percent:
        break;
    }
    return percent_ / 100.0 * logicalDpiX() / PointsPerInch;
}

void PageView::ShowPage(int pageIndex) {
    const int last = std::max(0, static_cast<int>(document_.pages.size()) - 1);
    pageIndex_ = std::clamp(pageIndex, 0, last);
    viewport()->update();
}

void PageView::SetZoom(ZoomMode mode, int percent) {
    zoomMode_ = mode;
    percent_ = std::clamp(percent, 10, 800);
    UpdateScrollBars();
    viewport()->update();
}

void PageView::UpdateScrollBars() {
    const double scale = PixelsPerPoint();
    const QSizeF paper = PaperPoints();
    const int width = static_cast<int>(std::ceil(paper.width() * scale)) + 2 * Gap;
    const int height = static_cast<int>(std::ceil(paper.height() * scale)) + 2 * Gap;
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(std::max(1, view.width() / 20));
    verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(std::max(1, view.height() / 20));
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void PageView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const double scale = PixelsPerPoint();
    const QSizeF paper = PaperPoints();
    const QSizeF sheet(paper.width() * scale, paper.height() * scale);
    // Centre a sheet narrower than the view; otherwise follow the scroll bars.
    const double left = sheet.width() + 2 * Gap < viewport()->width() ? (viewport()->width() - sheet.width()) / 2.0
                                                                      : Gap - horizontalScrollBar()->value();
    const double top = Gap - verticalScrollBar()->value();
    painter.translate(left, top);
    painter.fillRect(QRectF(QPointF(0, 0), sheet), Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (!document_.pages.empty()) {
        DrawPage(painter, document_.pages[static_cast<std::size_t>(pageIndex_)], scale);
    }
}

}  // namespace qtreports

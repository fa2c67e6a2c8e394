#include "qt/reports/PageView.h"

#include "qt/reports/PageRenderer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace varnholt::qtreports {
namespace {
constexpr double PointsPerInch = 72.0;
constexpr int Gap = 12; // grey border around and between the sheets, in pixels
} // namespace

PageView::PageView(const bands::Document& shown, QWidget* parent)
    : QAbstractScrollArea(parent), document(shown) {
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { FollowScrolling(value); });
}

QSizeF PageView::PaperPoints() const {
    return {document.setup.paperWidth * PointsPerInch, document.setup.paperHeight * PointsPerInch};
}

double PageView::PixelsPerPoint() const {
    const QSizeF paper = PaperPoints();
    const QSize area = viewport()->size() - QSize(2 * Gap, 2 * Gap);
    switch (zoomMode) {
    case ZoomMode::WholePage:
        return std::max(0.05, std::min(area.width() / paper.width(), area.height() / paper.height()));
    case ZoomMode::PageWidth:
        return std::max(0.05, area.width() / paper.width());
    case ZoomMode::Percent:
        break;
    }
    return percent / 100.0 * logicalDpiX() / PointsPerInch;
}

QSize PageView::SheetPixels() const {
    const double scale = PixelsPerPoint();
    const QSizeF paper = PaperPoints();
    return {static_cast<int>(std::ceil(paper.width() * scale)),
            static_cast<int>(std::ceil(paper.height() * scale))};
}

int PageView::Pitch() const {
    return SheetPixels().height() + Gap;
}

void PageView::ShowPage(int index) {
    const int last = std::max(0, static_cast<int>(document.pages.size()) - 1);
    const int page = std::clamp(index, 0, last);
    {
        const QScopedValueRollback<bool> placing(placingPage, true);
        verticalScrollBar()->setValue(page * Pitch());
    }
    if (page != pageIndex) {
        pageIndex = page;
        if (onPageChanged) {
            onPageChanged();
        }
    }
    viewport()->update();
}

void PageView::FollowScrolling(int value) {
    viewport()->update();
    if (placingPage || document.pages.empty()) {
        return;
    }
    const int last = static_cast<int>(document.pages.size()) - 1;
    const QScrollBar& bar = *verticalScrollBar();
    // At the very end the last page is the one being read, however small the sheets are.
    int page = bar.maximum() > 0 && value >= bar.maximum()
                   ? last
                   : (value + viewport()->height() / 3 - Gap / 2) / Pitch();
    page = std::clamp(page, 0, last);
    if (page != pageIndex) {
        pageIndex = page;
        if (onPageChanged) {
            onPageChanged();
        }
    }
}

void PageView::SetZoom(ZoomMode mode, int zoomPercent) {
    zoomMode = mode;
    percent = std::clamp(zoomPercent, 10, 800);
    Relayout();
}

void PageView::DocumentChanged() {
    pageIndex = std::clamp(pageIndex, 0, std::max(0, static_cast<int>(document.pages.size()) - 1));
    Relayout();
}

void PageView::Relayout() {
    // The same place of the same page stays at the top of the view; the scroll bars' own moves
    // on the way say nothing about the page in view.
    const QScopedValueRollback<bool> placing(placingPage, true);
    const int oldPitch = layoutPitch;
    const double within =
        oldPitch > 0 ? (verticalScrollBar()->value() - pageIndex * oldPitch) / double(oldPitch) : 0.0;
    UpdateScrollBars();
    verticalScrollBar()->setValue(
        static_cast<int>(std::lround((pageIndex + std::max(0.0, within)) * Pitch())));
    viewport()->update();
}

void PageView::UpdateScrollBars() {
    const QSize sheet = SheetPixels();
    layoutPitch = Pitch();
    const int pages = std::max<int>(1, static_cast<int>(document.pages.size()));
    const int width = sheet.width() + 2 * Gap;
    // Large enough for 1,400 pages at 800 %: about 12 million pixels.
    const qint64 height = Gap + static_cast<qint64>(pages) * Pitch();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(std::max(1, view.width() / 20));
    verticalScrollBar()->setRange(0, static_cast<int>(std::max<qint64>(0, height - view.height())));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(std::max(1, view.height() / 20));
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

void PageView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // A notch is 120; touch pads send smaller steps, which add up to notches.
    wheelAngle += event->angleDelta().y();
    const int notches = wheelAngle / 120;
    wheelAngle -= notches * 120;
    if (notches != 0 && onZoomWheel) {
        onZoomWheel(notches);
    }
    event->accept();
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setClipRect(event->rect());
    const double scale = PixelsPerPoint();
    const QSizeF paper = PaperPoints();
    const QSizeF sheet(paper.width() * scale, paper.height() * scale);
    // Centre sheets narrower than the view; otherwise follow the scroll bars.
    const double left = sheet.width() + 2 * Gap < viewport()->width()
                            ? (viewport()->width() - sheet.width()) / 2.0
                            : Gap - horizontalScrollBar()->value();
    const int pitch = Pitch();
    const int scrolled = verticalScrollBar()->value();
    const int pages = static_cast<int>(document.pages.size());
    const int first = std::max(0, (scrolled + event->rect().top() - Gap) / pitch);
    const int last = std::min(pages - 1, (scrolled + event->rect().bottom()) / pitch);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int index = first; index <= last; ++index) {
        painter.save();
        painter.translate(left, Gap + index * pitch - scrolled);
        painter.fillRect(QRectF(QPointF(0, 0), sheet), Qt::white);
        DrawPage(painter, document.pages[static_cast<std::size_t>(index)], scale);
        painter.restore();
    }
    if (pages == 0) {
        painter.fillRect(QRectF(QPointF(left, Gap - scrolled), sheet), Qt::white);
    }
}

} // namespace varnholt::qtreports
#pragma once

#include "bands/Document.h"

#include <QAbstractScrollArea>

namespace qtreports {

enum class ZoomMode { WholePage, PageWidth, Percent };

// Shows one page of a document on a sheet of paper, at a zoom, with scroll bars when the sheet
// is larger than the view. Only the page on screen is drawn, so the document's length costs
// nothing.
class PageView final : public QAbstractScrollArea {
public:
    PageView(const bands::Document& document, QWidget* parent);

    int PageIndex() const { return pageIndex_; }
    void ShowPage(int pageIndex);

    void SetZoom(ZoomMode mode, int percent = 100);
    double PixelsPerPoint() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSizeF PaperPoints() const;
    void UpdateScrollBars();

    const bands::Document& document_;
    int pageIndex_ = 0;
    ZoomMode zoomMode_ = ZoomMode::WholePage;
    int percent_ = 100;
};

}  // namespace qtreports

#pragma once

#include "bands/Document.h"

#include <QAbstractScrollArea>

#include <functional>

namespace varnholt::qtreports {

enum class ZoomMode { WholePage, PageWidth, Percent };

// Shows the pages of a document one under another on sheets of paper, at a zoom, in one scrolled
// view. Only the pages on screen are drawn, so the document's length costs nothing.
class PageView final : public QAbstractScrollArea {
public:
    PageView(const bands::Document& document, QWidget* parent);

    // The page in view (0-based): the one the last ShowPage went to, or, after the view was
    // scrolled, the page under the upper third of the view.
    int PageIndex() const { return pageIndex; }
    // Scrolls so that the page's top edge is at the top of the view.
    void ShowPage(int pageIndex);

    void SetZoom(ZoomMode mode, int percent = 100);
    double PixelsPerPoint() const;
    // The paper or the pages changed: lays them out again and stays on the page in view.
    void DocumentChanged();

    // Told whenever the page in view changes.
    std::function<void()> onPageChanged;
    // Ctrl with the mouse wheel: +1 for each notch away from the user (zoom in), -1 towards.
    std::function<void(int notches)> onZoomWheel;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QSizeF PaperPoints() const;
    QSize SheetPixels() const;
    int Pitch() const; // from one sheet's top to the next one's
    void UpdateScrollBars();
    void Relayout();
    void FollowScrolling(int value);

    const bands::Document& document;
    int pageIndex = 0;
    bool placingPage = false;
    int wheelAngle = 0;
    int layoutPitch = 0; // the pitch the scroll bars were last set for
    ZoomMode zoomMode = ZoomMode::WholePage;
    int percent = 100;
};

} // namespace varnholt::qtreports
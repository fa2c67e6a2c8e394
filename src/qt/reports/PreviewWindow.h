#pragma once

#include "bands/Document.h"
#include "bands/PreviewControl.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QToolButton;

namespace qtreports {

class PageView;

// The report preview: first, previous, next and last page, "Page n of m", zoom, print, save as
// PDF and close. The key handler set through SetKeyDownHandler sees every key of the window.
class PreviewWindow final : public QWidget, public bands::PreviewControl {
public:
    // Creates the window, hands it to the hook and shows it.
    static std::unique_ptr<PreviewWindow> Show(bands::Document document, const bands::PreviewCreatedHook& hook,
                                               QWidget* parent = nullptr);

    explicit PreviewWindow(bands::Document document, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    const bands::Document& Document() const { return document_; }
    PageView& View() { return *view_; }
    QString PageIndicatorText() const;

    int PageCount() const override;
    int CurrentPage() const override;
    void FirstPage() override;
    void PreviousPage() override;
    void NextPage() override;
    void LastPage() override;
    void GoToPage(int pageNumber);
    void RefreshPageIndicator() override;
    void ScrollVertical(bands::ScrollRequest request) override;
    void ScrollHorizontal(bands::ScrollRequest request) override;
    void SetKeyPreview(bool on) override;
    void SetKeyDownHandler(KeyDownHandler handler) override;
    void Close() override;

    void Print();
    void SaveAsPdf();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Runs the key-down handler; true when it consumed the key.
    bool HandleKey(QKeyEvent& event);
    // A key on its way to a child: the handler first, then, unless consumed, the child.
    bool PreviewKey(QKeyEvent& event, QObject& receiver);
    void ApplyZoomChoice(int index);
    void WatchKeys(QObject& object);

    bands::Document document_;
    PageView* view_ = nullptr;
    QLabel* indicator_ = nullptr;
    QComboBox* zoom_ = nullptr;
    bool keyPreview_ = false;
    KeyDownHandler keyDown_;
    // Set while a previewed key that the handler passed on travels to the child and up to this
    // window, so that the handler sees it only once.
    bool forwardingKey_ = false;
};

}  // namespace qtreports

#pragma once

#include "bands/Document.h"
#include "bands/Paper.h"
#include "bands/PreviewControl.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QToolButton;

namespace varnholt::qtreports {

class PageView;

// The report preview: the pages one under another in one scrolled view; first, previous, next
// and last page, "Page n of m", zoom, paper, export, print, save as PDF and close. The key
// handler set through SetKeyDownHandler sees every key of the window.
class PreviewWindow final : public QWidget, public bands::PreviewControl {
public:
    // Creates the window, hands it to the hook and shows it.
    static std::unique_ptr<PreviewWindow>
    Show(bands::Document document, const bands::PreviewCreatedHook& hook, QWidget* parent = nullptr);

    explicit PreviewWindow(bands::Document document, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    const bands::Document& Document() const { return document; }
    PageView& View() { return *view; }
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

    // Size, position, zoom, paper and the folder of the last saved file are kept between runs in
    // the application's settings from now on, and those of the last run are applied.
    void RememberSettings();
    // What the files saved from this report are called, without a suffix.
    void SetFileNameStem(std::string stem) { fileNameStem = std::move(stem); }
    // The name Save as PDF proposes.
    QString ProposedPdfName() const;

    // Zooms one step in (+1) or out (-1) through the percentages of the zoom box.
    void ZoomBy(int steps);
    void SetPaper(bands::Paper paper);
    bands::Paper Paper() const { return paper; }

    // A format Export... offers besides the report as text and as JSON.
    struct ExportFormat {
        QString name;   // "Key schedule (CSV)"
        QString suffix; // ".csv"
        std::function<std::string()> content;
    };
    void AddExportFormat(ExportFormat format) { exportFormats.push_back(std::move(format)); }

    void Print();
    void SaveAsPdf();
    // Writes the PDF to fileName, with a progress dialog for a long report. False when it failed
    // (the user has been told) or was cancelled; the file is then as it was.
    bool SavePdfTo(const QString& fileName);
    void Export();

    // A button of the program's own in the tool bar, before "Export...", named after its text.
    QToolButton* AddCommand(const QString& text, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs the key-down handler; true when it consumed the key.
    bool HandleKey(QKeyEvent& event);
    // A key on its way to a child: the handler first, then, unless consumed, the child.
    bool PreviewKey(QKeyEvent& event, QObject& receiver);
    // The window's own keys, those the handler passes on: zoom and the first and last page.
    bool OwnKey(QKeyEvent& event);
    void ApplyZoomChoice(int index);
    void WatchKeys(QObject& object);
    void FitIntoScreen();
    void SaveSettings() const;
    QString SaveFolder() const;
    void RememberFolder(const QString& fileName);

    bands::Document document;
    PageView* view = nullptr;
    QLabel* indicator = nullptr;
    QComboBox* zoom = nullptr;
    QComboBox* paperChoice = nullptr;
    bands::Paper paper = bands::Paper::Letter;
    bool remember = false;
    std::string fileNameStem;
    std::vector<ExportFormat> exportFormats;
    QHBoxLayout* tools = nullptr;
    QToolButton* commandsBefore = nullptr; // the program's own commands go before this button
    bool keyPreview = false;
    KeyDownHandler keyDown;
    // Set while a previewed key that the handler passed on travels to the child and up to this
    // window, so that the handler sees it only once.
    bool forwardingKey = false;
};

} // namespace varnholt::qtreports
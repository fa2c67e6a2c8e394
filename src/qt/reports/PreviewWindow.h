#pragma once

#include "bands/Document.h"
#include "bands/Paper.h"
#include "bands/PreviewControl.h"

#include <QKeySequence>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace varnholt::qtreports {

class PageView;

// The report preview: the pages one under another in one scrolled view; first, previous, next
// and last page, "Page n of m", zoom, paper, export, print, save as PDF and close, each in the
// menu bar (with mnemonics and the platform's shortcuts) and in a tool bar that folds what does
// not fit into its extension menu, so that a small screen reaches everything. Every control
// takes the focus by Tab. The key handler set through SetKeyDownHandler sees every key of the
// window first, except those of its menus.
class PreviewWindow final : public QMainWindow, public bands::PreviewControl {
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
    // Moves the window `step` pixels down and right, as far as the screen has room: a further
    // copy of the program restores the same saved place and would otherwise cover the first.
    void MoveDownRight(int step);
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

    // Where a command of the program's own goes: the File menu before "Save as PDF...", or
    // the System menu. Either way its button stands in the tool bar before "Export...".
    enum class CommandMenu { File, System };
    // A command of the program's own. The text may mark its mnemonic with '&'; the tool bar
    // button is named after the text without it.
    QToolButton* AddCommand(const QString& text, std::function<void()> action,
                            CommandMenu menu = CommandMenu::System, const QKeySequence& shortcut = {});

    // Asked before the window closes; false keeps it open (unsaved changes the user kept).
    void SetCloseQuestion(std::function<bool()> question) { closeQuestion = std::move(question); }
    // What the window shows: the file it belongs to after the report's title (empty for none),
    // and whether it holds changes not yet saved (a mark in the title).
    void SetShownFile(const QString& fileName);
    void SetUnsavedChanges(bool unsaved);
    // A line in the status bar, e.g. that the system was saved.
    void ShowStatus(const QString& text);
    // Places the window down and right of another one, title bar clear of the other's, on the
    // screen: a second preview does not hide the first.
    void CascadeFrom(const QWidget& other);

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
    void BuildCommands();
    QAction* AddAction(QMenu& menu, const QString& text, std::function<void()> action,
                       const QKeySequence& shortcut = {});
    void AddToolButton(QAction& action, QAction* before = nullptr);
    // Tab goes through the tool bar from left to right, then to the pages.
    void OrderTabs();
    void FitIntoScreen();
    // The frame the window manager puts round the window, or a safe guess until it is known.
    QMargins FrameMargins() const;
    // Puts the client area at that place and size, frame included inside the available area.
    void PlaceFrame(QPoint frameTopLeft, QSize clientSize);
    void KeepFrameOnScreen();
    void ResizeIndicator();
    void SaveSettings() const;
    // The folder a file dialog for that kind of file ("pdf", "export") starts in.
    QString SaveFolder(const QString& kind) const;
    void RememberFolder(const QString& kind, const QString& fileName);
    void showEvent(QShowEvent* event) override;

    bands::Document document;
    PageView* view = nullptr;
    QLabel* indicator = nullptr;
    QComboBox* zoom = nullptr;
    QComboBox* paperChoice = nullptr;
    bands::Paper paper = bands::Paper::Letter;
    bool remember = false;
    std::string fileNameStem;
    std::vector<ExportFormat> exportFormats;
    QString title;
    QString shownFile;
    void ShowTitle();
    QToolBar* tools = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* systemMenu = nullptr;
    QAction* commandsBefore = nullptr;     // the program's own buttons go before this one
    QAction* fileCommandsBefore = nullptr; // and their File menu entries before this one
    std::vector<QAction*> paperActions;
    std::function<bool()> closeQuestion;
    bool keyPreview = false;
    KeyDownHandler keyDown;
    // Set while a previewed key that the handler passed on travels to the child and up to this
    // window, so that the handler sees it only once.
    bool forwardingKey = false;
};

} // namespace varnholt::qtreports
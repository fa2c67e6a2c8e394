#include "qt/reports/PreviewWindow.h"

#include "bands/JsonOutput.h"
#include "bands/TextOutput.h"
#include "files/FileReplacement.h"
#include "qt/keyboard/QtKeyboard.h"
#include "qt/reports/OutputProgress.h"
#include "qt/reports/PageView.h"
#include "qt/reports/Printing.h"
#include "qt/reports/SaveFlow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <array>
#include <cmath>
#include <filesystem>
#include <memory>

namespace varnholt::qtreports {
namespace {

struct ZoomChoice {
    const char* text;
    ZoomMode mode;
    int percent;
};
constexpr std::array<ZoomChoice, 11> ZoomChoices{{
    {"Whole page", ZoomMode::WholePage, 100},
    {"Page width", ZoomMode::PageWidth, 100},
    {"25%", ZoomMode::Percent, 25},
    {"50%", ZoomMode::Percent, 50},
    {"75%", ZoomMode::Percent, 75},
    {"100%", ZoomMode::Percent, 100},
    {"125%", ZoomMode::Percent, 125},
    {"150%", ZoomMode::Percent, 150},
    {"200%", ZoomMode::Percent, 200},
    {"300%", ZoomMode::Percent, 300},
    {"400%", ZoomMode::Percent, 400},
}};
constexpr int FirstPercentChoice = 2;

// The size the preview would like, before the screen has its say.
constexpr QSize PreferredSize(900, 1000);
// Room for the window manager's frame and title bar, which Qt learns only once the window is shown.
constexpr QSize FrameAllowance(16, 48);

const QString GeometryKey = QStringLiteral("preview/geometry");
const QString ZoomKey = QStringLiteral("preview/zoom");
const QString PaperKey = QStringLiteral("preview/paper");
// Followed by the kind of file: PDFs and exports each start where the last one went.
const QString FolderKey = QStringLiteral("preview/folder-");

// The category the program's windows tell their input on (see qt/forms/InputTrace.h).
Q_LOGGING_CATEGORY(InputCategory, "varnholt.input", QtWarningMsg)

// Scroll requests are queued to the page display so they take effect after the key event.
void Post(QScrollBar* bar, bands::ScrollRequest request) {
    QMetaObject::invokeMethod(
        bar,
        [bar, request] {
            switch (request.code) {
            case bands::ScrollCode::LineUp:
                bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
                break;
            case bands::ScrollCode::LineDown:
                bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                break;
            case bands::ScrollCode::PageUp:
                bar->triggerAction(QAbstractSlider::SliderPageStepSub);
                break;
            case bands::ScrollCode::PageDown:
                bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
                break;
            case bands::ScrollCode::ThumbPosition:
                bar->setValue(request.position);
                break;
            }
        },
        Qt::QueuedConnection);
}

std::filesystem::path PathOf(const QString& fileName) {
    return std::filesystem::path(fileName.toStdU16String());
}

} // namespace

std::unique_ptr<PreviewWindow> PreviewWindow::Show(bands::Document document,
                                                   const bands::PreviewCreatedHook& hook, QWidget* parent) {
    auto window = std::make_unique<PreviewWindow>(std::move(document), parent);
    if (hook) {
        hook(window.get());
    }
    window->show();
    return window;
}

PreviewWindow::PreviewWindow(bands::Document shown, QWidget* parent)
    : QMainWindow(parent, Qt::Window), document(std::move(shown)) {
    title = document.title.empty() ? QStringLiteral("Preview") : QString::fromStdString(document.title);
    setWindowTitle(title);

    indicator = new QLabel(this);
    indicator->setObjectName(QStringLiteral("indicator"));
    indicator->setAlignment(Qt::AlignCenter);
    zoom = new QComboBox(this);
    zoom->setObjectName(QStringLiteral("zoom"));
    zoom->setToolTip(QStringLiteral("Zoom"));
    for (const ZoomChoice& choice : ZoomChoices) {
        zoom->addItem(QString::fromUtf8(choice.text));
    }
    paperChoice = new QComboBox(this);
    paperChoice->setObjectName(QStringLiteral("paper"));
    paperChoice->setToolTip(QStringLiteral("Paper"));
    paperChoice->addItem(QStringLiteral("Letter"));
    paperChoice->addItem(QStringLiteral("A4"));

    view = new PageView(document, this);
    view->setObjectName(QStringLiteral("pages"));
    view->onPageChanged = [this] { RefreshPageIndicator(); };
    view->onZoomWheel = [this](int notches) { ZoomBy(notches); };
    setCentralWidget(view);
    BuildCommands();
    connect(zoom, &QComboBox::currentIndexChanged, this, [this](int index) { ApplyZoomChoice(index); });
    connect(paperChoice, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetPaper(index == 1 ? bands::Paper::A4 : bands::Paper::Letter); });
    view->setFocus();
    FitIntoScreen();
    RefreshPageIndicator();
}

QAction* PreviewWindow::AddAction(QMenu& menu, const QString& text, std::function<void()> action,
                                  const QKeySequence& shortcut) {
    auto* entry = new QAction(text, this);
    entry->setShortcut(shortcut);
    connect(entry, &QAction::triggered, this, [action = std::move(action)] { action(); });
    menu.addAction(entry);
    return entry;
}

void PreviewWindow::AddToolButton(QAction& action, QAction* before) {
    tools->insertAction(before, &action);
    if (auto* button = qobject_cast<QToolButton*>(tools->widgetForAction(&action))) {
        // Named as the command is called, for tests and for accessibility tools.
        button->setObjectName(QString(action.text()).remove(QLatin1Char('&')));
        // A tool bar's buttons take no focus by default; here Tab reaches every one.
        button->setFocusPolicy(Qt::TabFocus);
    }
}

void PreviewWindow::BuildCommands() {
    tools = addToolBar(QStringLiteral("Preview"));
    tools->setObjectName(QStringLiteral("tools"));
    tools->setMovable(false);
    tools->setFloatable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    systemMenu = menuBar()->addMenu(QStringLiteral("&System"));
    fileMenu->setObjectName(QStringLiteral("FileMenu"));
    viewMenu->setObjectName(QStringLiteral("ViewMenu"));
    systemMenu->setObjectName(QStringLiteral("SystemMenu"));
    systemMenu->menuAction()->setVisible(false); // until the program adds a command of its own

    // The page keys stay with the key handler; the menu shows them without taking them over.
    QAction* first = AddAction(*viewMenu, QStringLiteral("&First Page\tCtrl+PgUp"), [this] { FirstPage(); });
    QAction* previous =
        AddAction(*viewMenu, QStringLiteral("&Previous Page\tShift+PgUp"), [this] { PreviousPage(); });
    QAction* next = AddAction(*viewMenu, QStringLiteral("&Next Page\tShift+PgDown"), [this] { NextPage(); });
    QAction* last = AddAction(*viewMenu, QStringLiteral("&Last Page\tCtrl+PgDown"), [this] { LastPage(); });
    for (QAction* page : {first, previous, next, last}) {
        page->setIconText(page->text()
                              .section(QLatin1Char('\t'), 0, 0)
                              .remove(QLatin1Char('&'))
                              .section(QLatin1Char(' '), 0, 0));
        AddToolButton(*page);
    }
    tools->addWidget(indicator);
    viewMenu->addSeparator();
    AddAction(
        *viewMenu, QStringLiteral("Zoom &In"), [this] { ZoomBy(1); }, QKeySequence::ZoomIn);
    AddAction(
        *viewMenu, QStringLiteral("Zoom &Out"), [this] { ZoomBy(-1); }, QKeySequence::ZoomOut);
    AddAction(*viewMenu, QStringLiteral("&Whole Page"), [this] { zoom->setCurrentIndex(0); });
    AddAction(*viewMenu, QStringLiteral("Page Wi&dth"), [this] { zoom->setCurrentIndex(1); });
    AddAction(*viewMenu, QStringLiteral("&Actual Size"), [this] { zoom->setCurrentIndex(5); });
    tools->addWidget(zoom);
    viewMenu->addSeparator();
    QMenu* paperMenu = viewMenu->addMenu(QStringLiteral("P&aper"));
    auto* papers = new QActionGroup(this);
    for (const auto& [text, choice] : {std::pair{QStringLiteral("&Letter"), bands::Paper::Letter},
                                       std::pair{QStringLiteral("A&4"), bands::Paper::A4}}) {
        QAction* entry = AddAction(*paperMenu, text, [this, choice] { SetPaper(choice); });
        entry->setCheckable(true);
        entry->setChecked(choice == paper);
        papers->addAction(entry);
        paperActions.push_back(entry);
    }
    tools->addWidget(paperChoice);
    tools->addSeparator();

    fileCommandsBefore = AddAction(
        *fileMenu, QStringLiteral("Save as &PDF..."), [this] { SaveAsPdf(); },
        QKeySequence::keyBindings(QKeySequence::SaveAs).isEmpty()
            ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)
            : QKeySequence(QKeySequence::SaveAs));
    QAction* exporting = AddAction(
        *fileMenu, QStringLiteral("&Export..."), [this] { Export(); }, QKeySequence(Qt::CTRL | Qt::Key_E));
    QAction* printing = AddAction(
        *fileMenu, QStringLiteral("&Print..."), [this] { Print(); }, QKeySequence::Print);
    fileMenu->addSeparator();
    // Escape closes the window too, through the key handler or, without one, as the window's own key.
    QAction* closing = AddAction(
        *fileMenu, QStringLiteral("&Close"), [this] { Close(); }, QKeySequence::Close);
    commandsBefore = exporting;
    for (QAction* command : {exporting, printing, fileCommandsBefore, closing}) {
        command->setIconText(command->text().remove(QLatin1Char('&')));
        AddToolButton(*command);
    }
    statusBar()->setSizeGripEnabled(true);
    OrderTabs();
}

void PreviewWindow::OrderTabs() {
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* next) {
        if (next == nullptr || next->focusPolicy() == Qt::NoFocus) {
            return;
        }
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    };
    for (QAction* action : tools->actions()) {
        chain(tools->widgetForAction(action));
    }
    chain(view);
}

void PreviewWindow::SetShownFile(const QString& fileName) {
    shownFile = fileName;
    ShowTitle();
}

void PreviewWindow::SetUnsavedChanges(bool unsaved) {
    setWindowModified(unsaved);
    ShowTitle();
}

void PreviewWindow::ShowTitle() {
    // Spelt out rather than Qt's placeholder, so that the title is the same wherever it is read.
    setWindowTitle((shownFile.isEmpty() ? title : shownFile + QStringLiteral(" \u2013 ") + title) +
                   (isWindowModified() ? QStringLiteral("*") : QString()));
}

void PreviewWindow::ShowStatus(const QString& text) {
    statusBar()->showMessage(text);
}

PreviewWindow::~PreviewWindow() {
    SaveSettings();
}

QMargins PreviewWindow::FrameMargins() const {
    if (isVisible()) {
        const QRect frame = frameGeometry();
        const QRect client = geometry();
        if (frame != client) {
            return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                    frame.bottom() - client.bottom()};
        }
    }
    // Until the window manager has told its frame: room for a generous title bar and border.
    return {FrameAllowance.width() / 2, FrameAllowance.height() - FrameAllowance.width() / 2,
            FrameAllowance.width() / 2, FrameAllowance.width() / 2};
}

void PreviewWindow::PlaceFrame(QPoint frameTopLeft, QSize clientSize) {
    const QScreen* screen = this->screen();
    const QMargins frame = FrameMargins();
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    QSize client = clientSize.expandedTo(minimumSizeHint()).expandedTo(QSize(200, 150));
    QPoint origin = frameTopLeft;
    if (screen != nullptr) {
        const QRect available = screen->availableGeometry();
        client = client.boundedTo(available.size() - frameExtra);
        const QSize outer = client + frameExtra;
        origin.setX(std::clamp(origin.x(), available.left(), available.right() + 1 - outer.width()));
        origin.setY(std::clamp(origin.y(), available.top(), available.bottom() + 1 - outer.height()));
    }
    // The client's own geometry, so that the frame lands where it was meant to whether or not the
    // window manager has reported it yet.
    setGeometry(QRect(origin + QPoint(frame.left(), frame.top()), client));
}

void PreviewWindow::FitIntoScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        resize(PreferredSize);
        return;
    }
    const QRect available = screen->availableGeometry();
    const QMargins frame = FrameMargins();
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize size =
        (isWindow() && geometry().isValid() && testAttribute(Qt::WA_Resized) ? this->size() : PreferredSize)
            .boundedTo(available.size() - frameExtra);
    const QRect wanted(geometry().topLeft() - QPoint(frame.left(), frame.top()), size + frameExtra);
    if (testAttribute(Qt::WA_Moved) && available.contains(wanted)) {
        PlaceFrame(wanted.topLeft(), size);
    } else {
        PlaceFrame(QPoint(available.left() + (available.width() - wanted.width()) / 2,
                          available.top() + std::max(0, (available.height() - wanted.height()) / 2)),
                   size);
    }
}

void PreviewWindow::KeepFrameOnScreen() {
    const QScreen* screen = this->screen();
    if (screen != nullptr && isVisible() && !isMaximized() && !isFullScreen() &&
        !screen->availableGeometry().contains(frameGeometry())) {
        PlaceFrame(frameGeometry().topLeft(), size());
    }
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The window manager tells its frame a little after the window is mapped; then the whole
    // frame, title bar included, is brought inside the screen if the guess was short.
    for (const int delay : {0, 150, 600}) {
        QTimer::singleShot(delay, this, [this] { KeepFrameOnScreen(); });
    }
}

void PreviewWindow::CascadeFrom(const QWidget& other) {
    const QRect otherFrame = other.frameGeometry();
    const int step = std::max(24, other.geometry().top() - otherFrame.top());
    const QPoint origin = otherFrame.topLeft() + QPoint(step, step);
    QSize client = size();
    if (const QScreen* screen = this->screen()) {
        // Smaller if need be, so that the other window's title bar stays in sight above this one.
        const QMargins frame = FrameMargins();
        const QRect available = screen->availableGeometry();
        client = client.boundedTo(QSize(available.right() + 1 - origin.x() - frame.left() - frame.right(),
                                        available.bottom() + 1 - origin.y() - frame.top() - frame.bottom()));
    }
    PlaceFrame(origin, client);
}

void PreviewWindow::MoveDownRight(int step) {
    if (step <= 0) {
        return;
    }
    const QMargins frame = FrameMargins();
    const QPoint origin = geometry().topLeft() - QPoint(frame.left(), frame.top()) + QPoint(step, step);
    QSize client = size();
    if (const QScreen* screen = this->screen()) {
        // Smaller if need be, so that the title bar of the copy below stays in sight.
        const QRect available = screen->availableGeometry();
        client = client.boundedTo(QSize(available.right() + 1 - origin.x() - frame.left() - frame.right(),
                                        available.bottom() + 1 - origin.y() - frame.top() - frame.bottom()));
    }
    PlaceFrame(origin, client);
}

void PreviewWindow::RememberSettings() {
    // Everything is read before anything is applied: applying saves the window's state.
    const QSettings settings;
    const QByteArray geometry = settings.value(GeometryKey).toByteArray();
    const int zoomIndex = zoom->findText(settings.value(ZoomKey).toString());
    const auto savedPaper = bands::PaperNamed(settings.value(PaperKey).toString().toStdString());
    if (!geometry.isEmpty()) {
        restoreGeometry(geometry);
        FitIntoScreen();
        KeepFrameOnScreen();
    }
    if (zoomIndex >= 0) {
        zoom->setCurrentIndex(zoomIndex);
    }
    if (savedPaper) {
        SetPaper(*savedPaper);
    }
    remember = true;
}

void PreviewWindow::SaveSettings() const {
    if (!remember) {
        return;
    }
    QSettings settings;
    settings.setValue(GeometryKey, saveGeometry());
    settings.setValue(ZoomKey, zoom->currentText());
    settings.setValue(PaperKey, QString::fromUtf8(bands::PaperName(paper).data()));
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    if (closeQuestion && !closeQuestion()) {
        event->ignore();
        return;
    }
    SaveSettings();
    QMainWindow::closeEvent(event);
}

QString PreviewWindow::PageIndicatorText() const {
    return indicator->text();
}

int PreviewWindow::PageCount() const {
    return static_cast<int>(document.pages.size());
}

int PreviewWindow::CurrentPage() const {
    return PageCount() == 0 ? 0 : view->PageIndex() + 1;
}

void PreviewWindow::GoToPage(int pageNumber) {
    view->ShowPage(pageNumber - 1);
    RefreshPageIndicator();
}

void PreviewWindow::FirstPage() {
    GoToPage(1);
}
void PreviewWindow::PreviousPage() {
    GoToPage(CurrentPage() - 1);
}
void PreviewWindow::NextPage() {
    GoToPage(CurrentPage() + 1);
}
void PreviewWindow::LastPage() {
    GoToPage(PageCount());
}

void PreviewWindow::RefreshPageIndicator() {
    if (indicator->minimumWidth() == 0) {
        ResizeIndicator();
    }
    const QString text = QStringLiteral("Page %1 of %2").arg(CurrentPage()).arg(PageCount());
    if (text != indicator->text()) {
        indicator->setText(text);
        // For scripts that drive the real program: they wait for the page instead of reading pixels.
        qCDebug(InputCategory).noquote() << QStringLiteral("page \"%1\" %2").arg(windowTitle(), text);
    }
}

void PreviewWindow::ResizeIndicator() {
    // Wide enough for the longest page number of this report, so that no digit covers the label.
    const QString widest =
        QStringLiteral("Page %1 of %1").arg(QString(QString::number(PageCount()).size(), QLatin1Char('8')));
    indicator->setMinimumWidth(indicator->fontMetrics().horizontalAdvance(widest) + 16);
}

void PreviewWindow::ScrollVertical(bands::ScrollRequest request) {
    Post(view->verticalScrollBar(), request);
}
void PreviewWindow::ScrollHorizontal(bands::ScrollRequest request) {
    Post(view->horizontalScrollBar(), request);
}

void PreviewWindow::WatchKeys(QObject& object) {
    object.installEventFilter(this);
    for (QObject* child : object.children()) {
        if (child->isWidgetType()) {
            WatchKeys(*child);
        }
    }
}

void PreviewWindow::SetKeyPreview(bool on) {
    if (on && !keyPreview) {
        // The window sees a key before the child that has the focus.
        for (QObject* child : children()) {
            if (child->isWidgetType()) {
                WatchKeys(*child);
            }
        }
    }
    keyPreview = on;
}

void PreviewWindow::SetKeyDownHandler(KeyDownHandler handler) {
    keyDown = std::move(handler);
}

void PreviewWindow::Close() {
    close();
}

namespace {

// The key a key handler is shown: none for a modifier pressed on its own, which only comes with
// the key it modifies.
std::uint16_t HandledKeyOf(const QKeyEvent& event) {
    const std::uint16_t key = keyboard::KeyOfQt(event);
    return keyboard::IsModifierKey(key) ? keyboard::Key::None : key;
}

} // namespace

bool PreviewWindow::HandleKey(QKeyEvent& event) {
    std::uint16_t key = HandledKeyOf(event);
    if (!keyDown || key == 0) {
        return false;
    }
    keyDown(*this, key, keyboard::ShiftStateOfQt(event));
    return key == 0;
}

bool PreviewWindow::PreviewKey(QKeyEvent& event, QObject& receiver) {
    if (!keyDown || HandledKeyOf(event) == 0) {
        return false;
    }
    if (!HandleKey(event)) {
        // Passed on: the receiver and its parents get a copy sent from here, so that this filter
        // and keyPressEvent can tell it from the next key. The event itself cannot: each press is
        // a new event, often at the address of the one before.
        const std::unique_ptr<QEvent> copy(event.clone());
        const QScopedValueRollback<bool> forwarding(forwardingKey, true);
        QCoreApplication::sendEvent(&receiver, copy.get());
    }
    // Either way the key has been through the whole chain up to the window.
    event.accept();
    return true;
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    // The menus keep their own keys: arrows and Enter choose in them, not in the pages.
    const auto* widget = qobject_cast<QWidget*>(watched);
    const bool inMenu =
        widget != nullptr && (widget->window() != this || qobject_cast<QMenuBar*>(watched) != nullptr);
    if (keyPreview && !forwardingKey && !inMenu && event->type() == QEvent::KeyPress) {
        return PreviewKey(*static_cast<QKeyEvent*>(event), *watched);
    }
    return QMainWindow::eventFilter(watched, event);
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    if (!forwardingKey && HandleKey(*event)) {
        event->accept();
        return;
    }
    if (OwnKey(*event)) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool PreviewWindow::OwnKey(QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
        Close(); // a preview without a key handler closes on Escape all the same
        return true;
    }
    if (modifiers != Qt::ControlModifier && modifiers != (Qt::ControlModifier | Qt::ShiftModifier)) {
        return false;
    }
    switch (event.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomBy(1);
        return true;
    case Qt::Key_Minus:
        ZoomBy(-1);
        return true;
    case Qt::Key_Home:
        if (modifiers == Qt::ControlModifier) {
            FirstPage();
            return true;
        }
        return false;
    case Qt::Key_End:
        if (modifiers == Qt::ControlModifier) {
            LastPage();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void PreviewWindow::ApplyZoomChoice(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= ZoomChoices.size()) {
        return;
    }
    const ZoomChoice& choice = ZoomChoices[static_cast<std::size_t>(index)];
    view->SetZoom(choice.mode, choice.percent);
    SaveSettings();
}

void PreviewWindow::ZoomBy(int steps) {
    // From whole page or page width, the step goes from the size the page has on screen now.
    const double percentNow = view->PixelsPerPoint() * 72.0 / view->logicalDpiX() * 100.0;
    int index = zoom->currentIndex();
    if (index < FirstPercentChoice) {
        index = FirstPercentChoice;
        while (index + 1 < static_cast<int>(ZoomChoices.size()) &&
               ZoomChoices[static_cast<std::size_t>(index + 1)].percent <= percentNow + 0.5) {
            ++index;
        }
        if (steps > 0 && ZoomChoices[static_cast<std::size_t>(index)].percent <= percentNow + 0.5) {
            // Already at or above this choice: the step in goes to the next one.
        } else if (steps < 0 && ZoomChoices[static_cast<std::size_t>(index)].percent < percentNow - 0.5) {
            ++steps; // the choice below the current size is itself a step out
        }
    }
    index = std::clamp(index + steps, FirstPercentChoice, static_cast<int>(ZoomChoices.size()) - 1);
    zoom->setCurrentIndex(index);
}

void PreviewWindow::SetPaper(bands::Paper newPaper) {
    if (newPaper != paper) {
        paper = newPaper;
        bands::PlaceOnPaper(document, newPaper);
        view->DocumentChanged();
    }
    const int index = newPaper == bands::Paper::A4 ? 1 : 0;
    if (paperChoice->currentIndex() != index) {
        paperChoice->setCurrentIndex(index);
    }
    paperActions[static_cast<std::size_t>(index)]->setChecked(true);
    SaveSettings();
}

QString PreviewWindow::ProposedPdfName() const {
    return ProposedFileName(fileNameStem.empty() ? document.title : fileNameStem, QStringLiteral(".pdf"));
}

QString PreviewWindow::SaveFolder(const QString& kind) const {
    const QSettings settings;
    const QString remembered = remember ? settings.value(FolderKey + kind).toString() : QString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) {
        return remembered;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void PreviewWindow::RememberFolder(const QString& kind, const QString& fileName) {
    if (remember) {
        QSettings().setValue(FolderKey + kind, QFileInfo(fileName).absolutePath());
    }
}

QToolButton* PreviewWindow::AddCommand(const QString& text, std::function<void()> action, CommandMenu menu,
                                       const QKeySequence& shortcut) {
    auto* command = new QAction(text, this);
    command->setShortcut(shortcut);
    command->setIconText(QString(text).remove(QLatin1Char('&')));
    connect(command, &QAction::triggered, this, [action = std::move(action)] { action(); });
    if (menu == CommandMenu::File) {
        fileMenu->insertAction(fileCommandsBefore, command);
    } else {
        systemMenu->addAction(command);
        systemMenu->menuAction()->setVisible(true);
    }
    AddToolButton(*command, commandsBefore);
    auto* button = qobject_cast<QToolButton*>(tools->widgetForAction(command));
    if (keyPreview && button != nullptr) {
        WatchKeys(*button);
    }
    OrderTabs();
    return button;
}

void PreviewWindow::Print() {
    std::string message;
    if (PrintWithDialog(document, this, message) == DialogPrint::Failed) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(message));
    }
}

void PreviewWindow::SaveAsPdf() {
    const auto fileName =
        ChooseFileToWrite(this, QStringLiteral("Save as PDF"), SaveFolder(QStringLiteral("pdf")),
                          ProposedPdfName(), QStringLiteral("PDF files (*.pdf)"), QStringLiteral(".pdf"));
    if (!fileName) {
        return;
    }
    RememberFolder(QStringLiteral("pdf"), *fileName);
    SavePdfTo(*fileName);
}

bool PreviewWindow::SavePdfTo(const QString& fileName) {
    OutputProgress progress(this, QStringLiteral("Saving the PDF..."), PageCount());
    bool cancelled = false;
    const auto failure = files::WriteFileWhole(
        PathOf(fileName),
        [this, &progress, &cancelled](const std::filesystem::path& file) -> std::optional<std::string> {
            const OutputResult drawn = WritePdf(document, file, progress.Callback());
            cancelled = drawn.cancelled;
            return drawn.succeeded ? std::nullopt : std::optional(drawn.message);
        });
    if (failure && !cancelled) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(*failure));
    }
    return !failure;
}

void PreviewWindow::Export() {
    std::vector<ExportFormat> formats{
        {QStringLiteral("Report as text"), QStringLiteral(".txt"),
         [this] { return bands::ToText(document); }},
        {QStringLiteral("Report as JSON"), QStringLiteral(".json"),
         [this] { return bands::ToJson(document); }},
    };
    formats.insert(formats.end(), exportFormats.begin(), exportFormats.end());
    QStringList filters;
    for (const ExportFormat& format : formats) {
        filters << QStringLiteral("%1 (*%2)").arg(format.name, format.suffix);
    }
    QFileDialog dialog(this, QStringLiteral("Export"), SaveFolder(QStringLiteral("export")),
                       filters.join(QStringLiteral(";;")));
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QString stem = ProposedFileName(fileNameStem.empty() ? document.title : fileNameStem, QString());
    dialog.selectFile(stem + formats.front().suffix);
    // Another format chosen: the name keeps what the user typed and takes that format's suffix.
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, &formats, &filters](const QString& filter) {
                const auto chosen = static_cast<std::size_t>(std::max<qsizetype>(0, filters.indexOf(filter)));
                QString name = QFileInfo(dialog.selectedFiles().value(0)).fileName();
                for (const ExportFormat& format : formats) {
                    if (name.endsWith(format.suffix, Qt::CaseInsensitive)) {
                        name.chop(format.suffix.size());
                        break;
                    }
                }
                if (!name.isEmpty()) {
                    dialog.selectFile(name + formats[chosen].suffix);
                }
            });
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const auto index =
            static_cast<std::size_t>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())));
        const ExportFormat& format = formats[index];
        const QString fileName = WithSuffix(dialog.selectedFiles().constFirst(), format.suffix);
        if (QFileInfo::exists(fileName) &&
            QMessageBox::question(this, QStringLiteral("Export"),
                                  QStringLiteral("\"%1\" already exists.\nDo you want to replace it?")
                                      .arg(QFileInfo(fileName).fileName()),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
            continue;
        }
        RememberFolder(QStringLiteral("export"), fileName);
        if (const auto failure = files::WriteFileWhole(PathOf(fileName), format.content())) {
            QMessageBox::warning(this, windowTitle(), QString::fromStdString(*failure));
        }
        return;
    }
}

} // namespace varnholt::qtreports
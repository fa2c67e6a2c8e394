#include "qt/reports/PreviewWindow.h"

#include "bands/JsonOutput.h"
#include "bands/TextOutput.h"
#include "qt/keyboard/QtKeyboard.h"
#include "qt/reports/OutputProgress.h"
#include "qt/reports/PageView.h"
#include "qt/reports/Printing.h"
#include "qt/reports/SaveFlow.h"
#include "qt/reports/WholeFile.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
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
const QString FolderKey = QStringLiteral("preview/folder");

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
    : QWidget(parent, Qt::Window), document(std::move(shown)) {
    setWindowTitle(document.title.empty() ? QStringLiteral("Preview")
                                          : QString::fromStdString(document.title));

    auto* toolRow = new QHBoxLayout;
    tools = toolRow;
    const auto addButton = [this, toolRow](const QString& text, auto action) {
        auto* button = new QToolButton(this);
        button->setText(text);
        button->setObjectName(text);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, action);
        toolRow->addWidget(button);
        return button;
    };
    addButton(QStringLiteral("First"), [this] { FirstPage(); });
    addButton(QStringLiteral("Previous"), [this] { PreviousPage(); });
    addButton(QStringLiteral("Next"), [this] { NextPage(); });
    addButton(QStringLiteral("Last"), [this] { LastPage(); });
    indicator = new QLabel(this);
    indicator->setMinimumWidth(120);
    indicator->setAlignment(Qt::AlignCenter);
    toolRow->addWidget(indicator);
    zoom = new QComboBox(this);
    zoom->setObjectName(QStringLiteral("zoom"));
    zoom->setFocusPolicy(Qt::NoFocus);
    for (const ZoomChoice& choice : ZoomChoices) {
        zoom->addItem(QString::fromUtf8(choice.text));
    }
    connect(zoom, &QComboBox::currentIndexChanged, this, [this](int index) { ApplyZoomChoice(index); });
    toolRow->addWidget(zoom);
    paperChoice = new QComboBox(this);
    paperChoice->setObjectName(QStringLiteral("paper"));
    paperChoice->setFocusPolicy(Qt::NoFocus);
    paperChoice->addItem(QStringLiteral("Letter"));
    paperChoice->addItem(QStringLiteral("A4"));
    connect(paperChoice, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetPaper(index == 1 ? bands::Paper::A4 : bands::Paper::Letter); });
    toolRow->addWidget(paperChoice);
    toolRow->addStretch();
    commandsBefore = addButton(QStringLiteral("Export..."), [this] { Export(); });
    addButton(QStringLiteral("Print..."), [this] { Print(); });
    addButton(QStringLiteral("Save as PDF..."), [this] { SaveAsPdf(); });
    addButton(QStringLiteral("Close"), [this] { Close(); });

    view = new PageView(document, this);
    view->onPageChanged = [this] { RefreshPageIndicator(); };
    view->onZoomWheel = [this](int notches) { ZoomBy(notches); };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(toolRow);
    layout->addWidget(view, 1);
    view->setFocus();
    FitIntoScreen();
    RefreshPageIndicator();
}

PreviewWindow::~PreviewWindow() {
    SaveSettings();
}

void PreviewWindow::FitIntoScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        resize(PreferredSize);
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize room = available.size() - FrameAllowance;
    const QSize size =
        (isWindow() && geometry().isValid() && testAttribute(Qt::WA_Resized) ? this->size() : PreferredSize)
            .boundedTo(room)
            .expandedTo(QSize(200, 150));
    resize(size);
    const QRect wanted(pos(), size + FrameAllowance);
    if (!testAttribute(Qt::WA_Moved) || !available.contains(wanted)) {
        move(available.left() + (available.width() - size.width() - FrameAllowance.width()) / 2,
             available.top() +
                 std::max(0, (available.height() - size.height() - FrameAllowance.height()) / 2));
    }
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
    SaveSettings();
    QWidget::closeEvent(event);
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
    indicator->setText(QStringLiteral("Page %1 of %2").arg(CurrentPage()).arg(PageCount()));
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
    if (keyPreview && !forwardingKey && event->type() == QEvent::KeyPress) {
        return PreviewKey(*static_cast<QKeyEvent*>(event), *watched);
    }
    return QWidget::eventFilter(watched, event);
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
    QWidget::keyPressEvent(event);
}

bool PreviewWindow::OwnKey(QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
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
    if (paperChoice->currentIndex() != (newPaper == bands::Paper::A4 ? 1 : 0)) {
        paperChoice->setCurrentIndex(newPaper == bands::Paper::A4 ? 1 : 0);
    }
    SaveSettings();
}

QString PreviewWindow::ProposedPdfName() const {
    return ProposedFileName(fileNameStem.empty() ? document.title : fileNameStem, QStringLiteral(".pdf"));
}

QString PreviewWindow::SaveFolder() const {
    const QSettings settings;
    const QString remembered = remember ? settings.value(FolderKey).toString() : QString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) {
        return remembered;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void PreviewWindow::RememberFolder(const QString& fileName) {
    if (remember) {
        QSettings().setValue(FolderKey, QFileInfo(fileName).absolutePath());
    }
}

QToolButton* PreviewWindow::AddCommand(const QString& text, std::function<void()> action) {
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setObjectName(text);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [action = std::move(action)] { action(); });
    tools->insertWidget(tools->indexOf(commandsBefore), button);
    if (keyPreview) {
        WatchKeys(*button);
    }
    // A window on the screen grows to hold the button once its layout has caught up, and must
    // not grow off the screen.
    if (isVisible()) {
        QTimer::singleShot(0, this, [this] { FitIntoScreen(); });
    }
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
        ChooseFileToWrite(this, QStringLiteral("Save as PDF"), SaveFolder(), ProposedPdfName(),
                          QStringLiteral("PDF files (*.pdf)"), QStringLiteral(".pdf"));
    if (!fileName) {
        return;
    }
    RememberFolder(*fileName);
    SavePdfTo(*fileName);
}

bool PreviewWindow::SavePdfTo(const QString& fileName) {
    OutputProgress progress(this, QStringLiteral("Saving the PDF..."), PageCount());
    const OutputResult result =
        WriteWhole(PathOf(fileName), [this, &progress](const std::filesystem::path& file) {
            return WritePdf(document, file, progress.Callback());
        });
    if (!result.succeeded && !result.cancelled) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(result.message));
    }
    return result.succeeded;
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
    QFileDialog dialog(this, QStringLiteral("Export"), SaveFolder(), filters.join(QStringLiteral(";;")));
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
        RememberFolder(fileName);
        const std::string content = format.content();
        const OutputResult result =
            WriteWhole(PathOf(fileName), [&content](const std::filesystem::path& file) {
                std::ofstream stream(file, std::ios::binary | std::ios::trunc);
                stream.write(content.data(), static_cast<std::streamsize>(content.size()));
                stream.flush();
                return stream
                           ? OutputResult{true, {}}
                           : OutputResult{false, "The file \"" + file.string() + "\" could not be written."};
            });
        if (!result.succeeded) {
            QMessageBox::warning(this, windowTitle(), QString::fromStdString(result.message));
        }
        return;
    }
}

} // namespace varnholt::qtreports
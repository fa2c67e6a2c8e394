#include "qt/reports/PreviewWindow.h"

#include "qt/reports/KeyTranslation.h"
#include "qt/reports/PageView.h"
#include "qt/reports/Printing.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>
#include <filesystem>
#include <memory>

namespace qtreports {
namespace {

struct ZoomChoice {
    const char* text;
    ZoomMode mode;
    int percent;
};
constexpr std::array<ZoomChoice, 8> ZoomChoices{{
    {"Whole page", ZoomMode::WholePage, 100},
    {"Page width", ZoomMode::PageWidth, 100},
    {"50%", ZoomMode::Percent, 50},
    {"75%", ZoomMode::Percent, 75},
    {"100%", ZoomMode::Percent, 100},
    {"150%", ZoomMode::Percent, 150},
    {"200%", ZoomMode::Percent, 200},
    {"400%", ZoomMode::Percent, 400},
}};

// Scroll requests are queued to the page display so they take effect after the key event.
void Post(QScrollBar* bar, bands::ScrollRequest request) {
    QMetaObject::invokeMethod(
        bar,
        [bar, request] {
            switch (request.code) {
            case bands::ScrollCode::LineUp: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
            case bands::ScrollCode::LineDown: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
            case bands::ScrollCode::PageUp: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
            case bands::ScrollCode::PageDown: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
            case bands::ScrollCode::ThumbPosition: bar->setValue(request.position); break;
            }
        },
        Qt::QueuedConnection);
}

}  // namespace

std::unique_ptr<PreviewWindow> PreviewWindow::Show(bands::Document document, const bands::PreviewCreatedHook& hook,
                                                   QWidget* parent) {
    auto window = std::make_unique<PreviewWindow>(std::move(document), parent);
    if (hook) {
        hook(window.get());
    }
    window->show();
    return window;
}

PreviewWindow::PreviewWindow(bands::Document document, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(std::move(document)) {
    setWindowTitle(document_.title.empty() ? QStringLiteral("Preview") : QString::fromStdString(document_.title));
    resize(900, 1000);

    auto* tools = new QHBoxLayout;
    const auto addButton = [this, tools](const QString& text, auto action) {
        auto* button = new QToolButton(this);
        button->setText(text);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, action);
        tools->addWidget(button);
        return button;
    };
    addButton(QStringLiteral("First"), [this] { FirstPage(); });
    addButton(QStringLiteral("Previous"), [this] { PreviousPage(); });
    addButton(QStringLiteral("Next"), [this] { NextPage(); });
    addButton(QStringLiteral("Last"), [this] { LastPage(); });
    indicator_ = new QLabel(this);
    indicator_->setMinimumWidth(120);
    indicator_->setAlignment(Qt::AlignCenter);
    tools->addWidget(indicator_);
    zoom_ = new QComboBox(this);
    zoom_->setFocusPolicy(Qt::NoFocus);
    for (const ZoomChoice& choice : ZoomChoices) {
        zoom_->addItem(QString::fromUtf8(choice.text));
    }
    connect(zoom_, &QComboBox::currentIndexChanged, this, [this](int index) { ApplyZoomChoice(index); });
    tools->addWidget(zoom_);
    tools->addStretch();
    addButton(QStringLiteral("Print..."), [this] { Print(); });
    addButton(QStringLiteral("Save as PDF..."), [this] { SaveAsPdf(); });
    addButton(QStringLiteral("Close"), [this] { Close(); });

    view_ = new PageView(document_, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(view_, 1);
    view_->setFocus();
    RefreshPageIndicator();
}

PreviewWindow::~PreviewWindow() = default;

QString PreviewWindow::PageIndicatorText() const {
    return indicator_->text();
}

int PreviewWindow::PageCount() const {
    return static_cast<int>(document_.pages.size());
}

int PreviewWindow::CurrentPage() const {
    return PageCount() == 0 ? 0 : view_->PageIndex() + 1;
}

void PreviewWindow::GoToPage(int pageNumber) {
    view_->ShowPage(pageNumber - 1);
    view_->verticalScrollBar()->setValue(0);
    RefreshPageIndicator();
}

void PreviewWindow::FirstPage() { GoToPage(1); }
void PreviewWindow::PreviousPage() { GoToPage(CurrentPage() - 1); }
void PreviewWindow::NextPage() { GoToPage(CurrentPage() + 1); }
void PreviewWindow::LastPage() { GoToPage(PageCount()); }

void PreviewWindow::RefreshPageIndicator() {
    indicator_->setText(QStringLiteral("Page %1 of %2").arg(CurrentPage()).arg(PageCount()));
}

void PreviewWindow::ScrollVertical(bands::ScrollRequest request) { Post(view_->verticalScrollBar(), request); }
void PreviewWindow::ScrollHorizontal(bands::ScrollRequest request) { Post(view_->horizontalScrollBar(), request); }

void PreviewWindow::WatchKeys(QObject& object) {
    object.installEventFilter(this);
    for (QObject* child : object.children()) {
        if (child->isWidgetType()) {
            WatchKeys(*child);
        }
    }
}

void PreviewWindow::SetKeyPreview(bool on) {
    if (on && !keyPreview_) {
        // The window sees a key before the child that has the focus.
        for (QObject* child : children()) {
            if (child->isWidgetType()) {
                WatchKeys(*child);
            }
        }
    }
    keyPreview_ = on;
}

void PreviewWindow::SetKeyDownHandler(KeyDownHandler handler) { keyDown_ = std::move(handler); }

void PreviewWindow::Close() { close(); }

bool PreviewWindow::HandleKey(QKeyEvent& event) {
    std::uint16_t key = VirtualKeyOf(event);
    if (!keyDown_ || key == 0) {
        return false;
    }
    keyDown_(*this, key, ShiftStateOf(event));
    return key == 0;
}

bool PreviewWindow::PreviewKey(QKeyEvent& event, QObject& receiver) {
    if (!keyDown_ || VirtualKeyOf(event) == 0) {
        return false;
    }
    if (!HandleKey(event)) {
        // Passed on: the receiver and its parents get a copy sent from here, so that this filter
        // and keyPressEvent can tell it from the next key. The event itself cannot: each press is
        // a new event, often at the address of the one before.
        const std::unique_ptr<QEvent> copy(event.clone());
        const QScopedValueRollback<bool> forwarding(forwardingKey_, true);
        QCoreApplication::sendEvent(&receiver, copy.get());
    }
    // Either way the key has been through the whole chain up to the window.
    event.accept();
    return true;
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (keyPreview_ && !forwardingKey_ && event->type() == QEvent::KeyPress) {
        return PreviewKey(*static_cast<QKeyEvent*>(event), *watched);
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    if (!forwardingKey_ && HandleKey(*event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PreviewWindow::ApplyZoomChoice(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= ZoomChoices.size()) {
        return;
    }
    const ZoomChoice& choice = ZoomChoices[static_cast<std::size_t>(index)];
    view_->SetZoom(choice.mode, choice.percent);
}

void PreviewWindow::Print() {
    std::string message;
    if (PrintWithDialog(document_, this, message) == DialogPrint::Failed) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(message));
    }
}

void PreviewWindow::SaveAsPdf() {
    const QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"), QString(),
                                                          QStringLiteral("PDF files (*.pdf)"));
    if (fileName.isEmpty()) {
        return;
    }
    const OutputResult result = WritePdf(document_, std::filesystem::path(fileName.toStdU16String()));
    if (!result.succeeded) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(result.message));
    }
}

}  // namespace qtreports

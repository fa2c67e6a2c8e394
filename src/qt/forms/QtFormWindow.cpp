#include "qt/forms/QtFormWindow.h"

#include "qt/forms/QtAppearance.h"
#include "qt/forms/QtKeys.h"

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/UserInput.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

#include <exception>

namespace varnholt::qtforms {

namespace {

Qt::Alignment ToQtAlignment(toolkit::Alignment alignment) {
    switch (alignment) {
    case toolkit::Alignment::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case toolkit::Alignment::Centre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case toolkit::Alignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

void ApplyAppearance(QWidget& widget, toolkit::Colour background, const toolkit::Font& font) {
    widget.setFont(ToQFont(font));
    QPalette palette = widget.palette();
    const QColor backColour = ToQColor(background);
    const QColor textColour = ToQColor(font.colour);
    palette.setColor(QPalette::Window, backColour);
    palette.setColor(QPalette::Base, backColour);
    palette.setColor(QPalette::Button, backColour);
    palette.setColor(QPalette::WindowText, textColour);
    palette.setColor(QPalette::Text, textColour);
    palette.setColor(QPalette::ButtonText, textColour);
    widget.setPalette(palette);
}

// The model owns the text: Qt's own editing aids that would change it behind the model's back
// are switched off.
void TameLineEdit(QLineEdit& edit) {
    edit.setContextMenuPolicy(Qt::NoContextMenu);
    edit.setDragEnabled(false);
    edit.setAcceptDrops(false);
    edit.setAttribute(Qt::WA_InputMethodEnabled, false);
}

} // namespace

QtFormWindow::QtFormWindow(toolkit::Form& model) : QWidget(nullptr), form(model) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    form.AddObserver(*this);
    for (const auto& component : form.Components()) {
        WidgetOf(*component);
    }
    UpdateWindow();
    SyncFocus();
}

QtFormWindow::~QtFormWindow() {
    form.RemoveObserver(*this);
}

QWidget* QtFormWindow::WidgetOf(const toolkit::Component& component) {
    if (&component.OwnerForm() != &form) {
        return nullptr;
    }
    if (const auto found = widgets.find(&component); found != widgets.end()) {
        return found->second;
    }
    // Components reach the window in creation order, but a late one may still need its panel.
    return CreateWidget(const_cast<toolkit::Component&>(component));
}

QWidget* QtFormWindow::CreateWidget(toolkit::Component& component) {
    QWidget* parent = component.Parent() != nullptr ? WidgetOf(*component.Parent()) : this;
    QWidget* widget = nullptr;
    if (dynamic_cast<toolkit::Edit*>(&component) != nullptr) {
        auto* edit = new QLineEdit(parent);
        TameLineEdit(*edit);
        widget = edit;
    } else if (dynamic_cast<toolkit::ListBox*>(&component) != nullptr) {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setUniformItemSizes(true); // one line of one font each: no need to measure every item
        list->setContextMenuPolicy(Qt::NoContextMenu);
        list->viewport()->installEventFilter(this);
        components[list->viewport()] = &component;
        widget = list;
    } else if (dynamic_cast<toolkit::CheckBox*>(&component) != nullptr) {
        widget = new QCheckBox(parent);
    } else if (dynamic_cast<toolkit::Button*>(&component) != nullptr) {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false);
        widget = button;
    } else if (dynamic_cast<toolkit::Label*>(&component) != nullptr ||
               dynamic_cast<toolkit::Panel*>(&component) != nullptr ||
               dynamic_cast<toolkit::Image*>(&component) != nullptr) {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        widget = label;
    } else {
        widget = new QWidget(parent);
    }
    widget->setObjectName(QString::fromStdString(component.Name()));
    widget->setFocusPolicy(component.Focusable() ? Qt::ClickFocus : Qt::NoFocus);
    widget->installEventFilter(this);
    widgets[&component] = widget;
    components[widget] = &component;
    Update(component, *widget);
    return widget;
}

void QtFormWindow::Update(toolkit::Component& component, QWidget& widget) {
    widget.setGeometry(component.Left(), component.Top(), component.Width(), component.Height());
    widget.setEnabled(component.Enabled());
    const toolkit::Font font = component.TextFont();
    ApplyAppearance(widget, component.Background(), font);

    if (auto* edit = dynamic_cast<toolkit::Edit*>(&component)) {
        auto& line = static_cast<QLineEdit&>(widget);
        const QString text = ToQString(edit->Text());
        if (line.text() != text) {
            line.setText(text);
        }
        line.setReadOnly(edit->ReadOnly());
        const int start = ToQStringIndex(edit->Text(), edit->SelStart());
        if (edit->SelLength() > 0) {
            const int end = ToQStringIndex(edit->Text(), edit->SelStart() + edit->SelLength());
            line.setSelection(start, end - start);
        } else {
            line.setCursorPosition(start);
        }
    } else if (auto* list = dynamic_cast<toolkit::ListBox*>(&component)) {
        auto& view = static_cast<QListWidget&>(widget);
        // A list of many thousand names is converted and filled once per change of its items,
        // not at every change of its selection or geometry.
        const auto shown = shownItems.find(list);
        if (shown == shownItems.end() || shown->second != list->ItemsRevision()) {
            QStringList items;
            items.reserve(list->Count());
            for (const std::string& item : list->Items()) {
                items.push_back(ToQString(item));
            }
            view.clear();
            view.addItems(items);
            shownItems[list] = list->ItemsRevision();
        }
        if (list->ItemIndex() >= 0) {
            view.setCurrentRow(list->ItemIndex());
        } else {
            view.clearSelection();
            view.setCurrentRow(-1);
        }
    } else if (auto* checkBox = dynamic_cast<toolkit::CheckBox*>(&component)) {
        auto& box = static_cast<QCheckBox&>(widget);
        box.setText(ToQString(checkBox->Caption()));
        box.setChecked(checkBox->Checked());
    } else if (auto* button = dynamic_cast<toolkit::Button*>(&component)) {
        auto& push = static_cast<QPushButton&>(widget);
        push.setText(ToQString(button->Caption()));
        push.setDefault(form.DefaultButton() == button);
    } else if (auto* label = dynamic_cast<toolkit::Label*>(&component)) {
        auto& text = static_cast<QLabel&>(widget);
        text.setText(ToQString(label->Caption()));
        text.setAlignment(ToQtAlignment(label->TextAlignment()));
        text.setWordWrap(label->WordWrap());
        text.setAutoFillBackground(true);
    } else if (auto* panel = dynamic_cast<toolkit::Panel*>(&component)) {
        auto& face = static_cast<QLabel&>(widget);
        face.setText(ToQString(panel->Caption()));
        face.setAlignment(Qt::AlignCenter);
        face.setAutoFillBackground(true);
        switch (panel->Border()) {
        case toolkit::Bevel::None:
            face.setFrameStyle(QFrame::NoFrame);
            break;
        case toolkit::Bevel::Raised:
            face.setFrameStyle(QFrame::Panel | QFrame::Raised);
            break;
        case toolkit::Bevel::Lowered:
            face.setFrameStyle(QFrame::Panel | QFrame::Sunken);
            break;
        }
    } else if (auto* image = dynamic_cast<toolkit::Image*>(&component)) {
        auto& picture = static_cast<QLabel&>(widget);
        picture.setPixmap(QPixmap(QString::fromStdString(image->PictureFile())));
        picture.setScaledContents(image->Stretch());
    }
    widget.setVisible(component.Visible());
}

void QtFormWindow::UpdateWindow() {
    setWindowTitle(ToQString(form.Caption()));
    ApplyAppearance(*this, form.Background(), form.TextFont());
    if (form.Resizable()) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(form.ClientWidth(), form.ClientHeight());
    } else {
        setFixedSize(form.ClientWidth(), form.ClientHeight());
    }
    move(form.Left(), form.Top());
    const bool active = form.App().ActiveForm() == &form;
    if (form.Visible() && (!isVisible() || (active && !isActiveWindow()))) {
        show();
        raise();
        activateWindow();
        SyncFocus();
    } else if (!form.Visible() && isVisible()) {
        hide();
        ActivateWindowOf(form.App().ActiveForm());
    }
}

void QtFormWindow::ActivateWindowOf(const toolkit::Form* other) {
    // Without a window manager nobody else would give the keyboard back to the window below.
    if (other == nullptr) {
        return;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QtFormWindow*>(widget);
        if (window != nullptr && &window->Model() == other && window->isVisible()) {
            window->raise();
            window->activateWindow();
            window->SyncFocus();
            return;
        }
    }
}

void QtFormWindow::SyncFocus() {
    toolkit::Component* focused = form.Focused();
    if (focused == nullptr) {
        return;
    }
    QWidget* widget = WidgetOf(*focused);
    if (widget == nullptr || focusWidget() == widget) {
        return;
    }
    movingFocus = true;
    // As if by keyboard, so that the style draws the focus frame on buttons and boxes too.
    widget->setFocus(Qt::TabFocusReason);
    movingFocus = false;
}

void QtFormWindow::ComponentChanged(toolkit::Component& component) {
    QWidget* widget = WidgetOf(component);
    if (widget == nullptr) {
        return;
    }
    Update(component, *widget);
    // Panels pass their font and colour on to components that have none of their own.
    for (toolkit::Component* child : component.Children()) {
        ComponentChanged(*child);
    }
}

void QtFormWindow::FormChanged() {
    UpdateWindow();
    for (const auto& component : form.Components()) {
        if (QWidget* widget = WidgetOf(*component)) {
            Update(*component, *widget);
        }
    }
}

void QtFormWindow::FocusChanged() {
    SyncFocus();
}

toolkit::Component* QtFormWindow::ComponentAt(QObject* object) const {
    const auto found = components.find(object);
    return found != components.end() ? found->second : nullptr;
}

bool QtFormWindow::HandleKey(QEvent* event) {
    const auto stroke = StrokeFromQt(*static_cast<QKeyEvent*>(event));
    if (stroke) {
        form.App().Activate(form);
        toolkit::PressKey(form, *stroke);
    }
    return true;
}

bool QtFormWindow::HandleMouse(toolkit::Component& component, QWidget& target, QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return true;
    }
    toolkit::Application& application = form.App();
    const QPoint position = mouse->position().toPoint();
    const bool clicksLikeAPress = dynamic_cast<toolkit::Button*>(&component) != nullptr ||
                                  dynamic_cast<toolkit::CheckBox*>(&component) != nullptr;
    if (event->type() == QEvent::MouseButtonDblClick && !clicksLikeAPress) {
        pressed = nullptr;
        application.Dispatch([&] {
            // The second press may land on another item than the first.
            if (auto* list = dynamic_cast<toolkit::ListBox*>(&component);
                list != nullptr && list->Focused()) {
                const auto& view = static_cast<const QListWidget&>(*WidgetOf(component));
                const int row = view.indexAt(position).row();
                if (row >= 0 && row != list->ItemIndex()) {
                    toolkit::ClickItem(*list, row);
                }
            }
            form.Raise(component.OnDblClick);
        });
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        application.Activate(form);
        // Qt has usually given the focus already (and the model has heard of it); if not, the
        // model takes it from the click now, as the platform does on button down.
        if (component.Focusable() && !component.Focused() && !(pressFocused && pressed == &component)) {
            toolkit::FocusByMouse(component);
        }
        pressFocused = false;
        pressed = &component;
        if (!component.Focused() && component.Focusable()) {
            return true;
        }
        if (auto* push = qobject_cast<QPushButton*>(&target)) {
            push->setDown(true);
        }
        if (auto* edit = dynamic_cast<toolkit::Edit*>(&component)) {
            auto& line = static_cast<QLineEdit&>(*WidgetOf(component));
            const int caret = ToCharacterIndex(line.text(), line.cursorPositionAt(position));
            application.Dispatch([&] { edit->SetSelStart(caret); });
        } else if (auto* list = dynamic_cast<toolkit::ListBox*>(&component)) {
            const auto& view = static_cast<const QListWidget&>(*WidgetOf(component));
            const int row = view.indexAt(position).row();
            if (row >= 0) {
                toolkit::ClickItem(*list, row);
            }
        }
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        if (auto* push = qobject_cast<QPushButton*>(&target)) {
            push->setDown(false);
        }
        const bool same = pressed == &component && target.rect().contains(position);
        pressed = nullptr;
        const bool clickable = !component.Focusable() || component.Focused();
        if (same && clickable && component.Showing() && component.EnabledInTree() &&
            dynamic_cast<toolkit::ListBox*>(&component) == nullptr) {
            application.Dispatch([&] { component.Click(); });
        }
    }
    return true;
}

bool QtFormWindow::FilterEvent(QObject* watched, QEvent* event) {
    toolkit::Component* component = ComponentAt(watched);
    if (component == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        return HandleKey(event);
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
    case QEvent::MouseMove:
        return true;
    case QEvent::InputMethod: {
        const auto* input = static_cast<QInputMethodEvent*>(event);
        for (const uint codePoint : input->commitString().toUcs4()) {
            toolkit::PressKey(form, toolkit::StrokeForCharacter(static_cast<char32_t>(codePoint)));
        }
        return true;
    }
    case QEvent::FocusIn: {
        if (movingFocus) {
            return false;
        }
        const auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() == Qt::MouseFocusReason) {
            pressed = component;
            pressFocused = true;
            form.App().Activate(form);
            toolkit::FocusByMouse(*component);
        }
        // Whatever Qt decided, the model says where the focus is.
        SyncFocus();
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return HandleMouse(*component, *static_cast<QWidget*>(watched), event);
    default:
        return false;
    }
}

bool QtFormWindow::eventFilter(QObject* watched, QEvent* event) {
    // An event whose reaction failed counts as handled, so that Qt does not pass it on.
    bool handled = true;
    Guarded([&] { handled = FilterEvent(watched, event); });
    return handled;
}

void QtFormWindow::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        // A fault in a reaction must not take the program down from inside Qt's event loop,
        // where an exception cannot pass; the user sees what went wrong and carries on.
        form.App().ShowMessage(toolkit::BoxKind::Error, error.what());
    }
}

bool QtFormWindow::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        Guarded([&] { HandleKey(event); });
        return true;
    case QEvent::KeyRelease:
        return true;
    case QEvent::WindowActivate:
        form.App().Activate(form);
        break;
    case QEvent::Move:
    case QEvent::Resize:
        // Once the window manager has framed a window, its frame is known for placing the next.
        if (isVisible() && frameGeometry().size() != size()) {
            form.App().SetWindowFrame(
                {frameGeometry().width() - width(), frameGeometry().height() - height()});
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void QtFormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    Guarded([this] { toolkit::CloseWindow(form); });
}

} // namespace varnholt::qtforms
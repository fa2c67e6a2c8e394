#include "qt/forms/InputTrace.h"

#include <QApplication>
#include <QEvent>
#include <QLoggingCategory>
#include <QWidget>

namespace varnholt::qtforms {

namespace {

Q_LOGGING_CATEGORY(InputCategory, "varnholt.input", QtWarningMsg)

QString Describe(const QWidget* widget) {
    if (widget == nullptr)
        return QStringLiteral("none");
    const QWidget* window = widget->window();
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    return QStringLiteral("\"%1\" %2").arg(window->windowTitle(), name);
}

} // namespace

InputTrace::InputTrace() {
    if (!InputCategory().isDebugEnabled())
        return; // nobody listens: no filter on every event of the program
    QObject::connect(qApp, &QApplication::focusChanged, this,
                     [this](QWidget*, QWidget* now) { FocusChanged(now); });
    qApp->installEventFilter(this);
}

bool InputTrace::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::Show && type != QEvent::Hide)
        return false;
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (widget == nullptr || !widget->isWindow())
        return false;
    qCDebug(InputCategory).noquote() << (type == QEvent::Show ? "shown" : "hidden") << Describe(widget);
    return false;
}

void InputTrace::FocusChanged(QWidget* now) {
    qCDebug(InputCategory).noquote() << "focus" << Describe(now);
}

} // namespace varnholt::qtforms

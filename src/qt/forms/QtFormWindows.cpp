#include "qt/forms/QtFormWindows.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>

namespace varnholt::qtforms {

QtFormWindows::QtFormWindows(toolkit::Application& app) : application(app) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        application.SetScreenArea({area.left(), area.top(), area.width(), area.height()});
        // Until the window manager has framed the first window: a thin border and a title bar.
        application.SetWindowFrame({2, 24});
        // Forms shown before the screen was known are centred again on the real one.
        for (toolkit::Form* form : application.Forms()) {
            if (form->CentredOnScreen()) {
                form->SetCentredOnScreen(true);
            }
        }
    }
    // The edit fields copy to and paste from the desktop's clipboard.
    application.ReadClipboard = [] { return QGuiApplication::clipboard()->text().toStdString(); };
    application.WriteClipboard = [](const std::string& text) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    };
    application.OnTerminate = [] {
        // Queued, so that it also works when the program ends before the loop has started.
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    };
    AddMissingWindows();
}

QtFormWindows::~QtFormWindows() {
    application.OnTerminate = nullptr;
    application.ReadClipboard = nullptr;
    application.WriteClipboard = nullptr;
}

void QtFormWindows::AddMissingWindows() {
    for (toolkit::Form* form : application.Forms()) {
        if (WindowOf(*form) == nullptr) {
            windows.push_back(std::make_unique<QtFormWindow>(*form));
        }
    }
}

QtFormWindow* QtFormWindows::WindowOf(const toolkit::Form& form) const {
    for (const auto& window : windows) {
        if (&window->Model() == &form) {
            return window.get();
        }
    }
    return nullptr;
}

} // namespace varnholt::qtforms
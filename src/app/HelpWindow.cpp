#include "app/HelpWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>

namespace varnholt::app {

HelpWindow::HelpWindow() {
    QApplication::instance()->installEventFilter(this);
}

HelpWindow::~HelpWindow() {
    if (QCoreApplication* application = QApplication::instance()) {
        application->removeEventFilter(this);
    }
}

void HelpWindow::ShowGuide() {
    if (!browser) {
        browser = std::make_unique<QTextBrowser>();
        browser->setWindowTitle("Varnholt Lite Help");
        browser->setOpenExternalLinks(true);
        browser->setSource(QUrl("qrc:/help/varnholt-help.html"));
        browser->resize(720, 640);
    }
    browser->show();
    browser->raise();
    browser->activateWindow();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // A key press is offered to every widget up the parent chain; only the first counts.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        ShowGuide();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace varnholt::app

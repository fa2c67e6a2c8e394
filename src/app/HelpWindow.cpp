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

void HelpWindow::ShowGuide(const QString& section) {
    if (!browser) {
        browser = std::make_unique<QTextBrowser>();
        browser->setWindowTitle("Varnholt Lite Help");
        browser->setOpenExternalLinks(true);
        browser->setSource(QUrl("qrc:/help/varnholt-help.html"));
        browser->resize(720, 640);
    }
    if (!section.isEmpty())
        browser->scrollToAnchor(section);
    browser->show();
    browser->raise();
    browser->activateWindow();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // A key press is offered to every widget up the parent chain; only the first counts.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_F1) {
        ShowGuide(sectionOf && window != browser.get() ? sectionOf(*window) : QString());
        return true;
    }
    if (key == Qt::Key_Escape && browser && window == browser.get()) {
        browser->close();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace varnholt::app

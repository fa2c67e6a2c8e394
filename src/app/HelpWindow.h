#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QTextBrowser;
class QWidget;

namespace varnholt::app {

// The program's help guide, opened by F1 in any of its windows. The guide is built into the
// program, so that it is there wherever the program is started from.
class HelpWindow : public QObject {
public:
    HelpWindow();
    ~HelpWindow() override;
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    // Shows the guide (the one window, raised again when it is open already) at the section
    // with that anchor, at its top for none.
    void ShowGuide(const QString& section = {});
    // The guide's section for a window of the program (the one F1 was pressed in).
    std::function<QString(const QWidget& window)> sectionOf;
    // The guide's window, nullptr until it was first shown.
    QTextBrowser* Browser() const { return browser.get(); }

protected:
    // Watches the whole application for F1.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<QTextBrowser> browser;
};

} // namespace varnholt::app

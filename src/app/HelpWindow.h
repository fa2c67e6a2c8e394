#pragma once

#include <QObject>

#include <memory>

class QTextBrowser;

namespace varnholt::app {

// The program's help guide, opened by F1 in any of its windows. The guide is built into the
// program, so that it is there wherever the program is started from.
class HelpWindow : public QObject {
public:
    HelpWindow();
    ~HelpWindow() override;
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    // Shows the guide (the one window, raised again when it is open already).
    void ShowGuide();
    // The guide's window, nullptr until it was first shown.
    QTextBrowser* Browser() const { return browser.get(); }

protected:
    // Watches the whole application for F1.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<QTextBrowser> browser;
};

} // namespace varnholt::app

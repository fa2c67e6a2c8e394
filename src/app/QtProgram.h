#pragma once

#include "app/HelpWindow.h"
#include "app/Program.h"
#include "qt/forms/QtFormWindows.h"
#include "qt/forms/QtMessageService.h"

#include <filesystem>
#include <memory>
#include <string>

namespace qtreports {
class PreviewWindow;
}

namespace varnholt::app {

// The program with real windows: Qt message boxes, a Qt window for every form and the Qt
// report preview. Needs a QApplication, which the caller owns and whose event loop it runs.
class QtProgram {
public:
    explicit QtProgram(const std::filesystem::path& startDirectory);
    ~QtProgram();
    QtProgram(const QtProgram&) = delete;
    QtProgram& operator=(const QtProgram&) = delete;

    void Start() { program.Start(); }
    // Tells the user something once the main window is up, in an information box over it.
    void ShowNote(const std::string& text);

    Program& Model() { return program; }
    qtforms::QtFormWindows& Windows() { return windows; }
    HelpWindow& Help() { return help; }
    // The preview of the last report, nullptr before the first.
    qtreports::PreviewWindow* Preview() const { return preview.get(); }

private:
    void ShowPreview(bands::Document document, const bands::PreviewCreatedHook& hook);

    qtforms::QtMessageService messages;
    std::unique_ptr<qtreports::PreviewWindow> preview;
    Program program;
    qtforms::QtFormWindows windows;
    HelpWindow help;
};

} // namespace varnholt::app

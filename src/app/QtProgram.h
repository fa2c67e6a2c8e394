#pragma once

#include "app/HelpWindow.h"
#include "app/Program.h"
#include "app/SystemFileCommands.h"
#include "qt/forms/InputTrace.h"
#include "qt/forms/QtFormWindows.h"
#include "qt/forms/QtMessageService.h"

#include <filesystem>
#include <memory>
#include <string>

namespace varnholt::qtreports {
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
    // The preview of the pinning list last asked for, nullptr before the first.
    qtreports::PreviewWindow* PinningPreview() const { return pinningPreview.get(); }
    SystemFileCommands& SystemFiles() { return systemFiles; }

    // Opens a saved system into its preview (a file named on the command line); a refusal is
    // told in an error box. True when the system is shown.
    bool OpenSystemFile(const std::filesystem::path& file) { return systemFiles.Open(file); }

private:
    void ShowPreview(bands::Document document, const bands::PreviewCreatedHook& hook);
    void Present(bands::Document document, const bands::PreviewCreatedHook& hook, int page);
    void ShowPinningList(const GenerationState& system, const report::JobDetails& job);
    QString HelpSectionOf(const QWidget& window) const;

    qtforms::InputTrace inputTrace;
    qtforms::QtMessageService messages;
    std::unique_ptr<qtreports::PreviewWindow> preview;
    std::unique_ptr<qtreports::PreviewWindow> pinningPreview;
    Program program;
    qtforms::QtFormWindows windows;
    HelpWindow help;
    SystemFileCommands systemFiles;
};

} // namespace varnholt::app

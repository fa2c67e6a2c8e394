#include "app/QtProgram.h"

#include "KeyScheduleCsv.h"
#include "engine/KeySchedule.h"
#include "qt/reports/PreviewWindow.h"

#include <QMessageBox>
#include <QTimer>

namespace varnholt::app {

QtProgram::QtProgram(const std::filesystem::path& startDirectory)
    : program(startDirectory, messages,
              [this](bands::Document document, const bands::PreviewCreatedHook& hook) {
                  ShowPreview(std::move(document), hook);
              }),
      windows(program.application) {
    messages.SetApplication(program.application);
}

QtProgram::~QtProgram() = default;

void QtProgram::ShowPreview(bands::Document document, const bands::PreviewCreatedHook& hook) {
    // One preview at a time: a new report replaces the window of the last one.
    preview = qtreports::PreviewWindow::Show(std::move(document), hook);
    preview->RememberSettings();
    // Saved files are named after the system: manufacturer and top master key.
    preview->SetFileNameStem(program.state.MfgName + " " + program.state.TopMasterKey);
    // The same key schedule the batch command writes, of the system as it was generated: the
    // dialog may be filled in for the next one while this preview is open.
    preview->AddExportFormat({QStringLiteral("Key schedule (CSV)"), QStringLiteral(".csv"),
                              [generated = program.state] { return tools::KeyScheduleCsvText(ComputeKeySchedule(generated)); }});
    // The user asked for it: it comes in front of the windows it was started from, with the
    // keyboard, so that its keys page at once.
    // The dialog that started the report hides after this returns and hands the keyboard back to
    // the main window, so the preview comes forward once that has happened.
    QTimer::singleShot(0, preview.get(), [window = preview.get()] {
        window->raise();
        window->activateWindow();
    });
}

} // namespace varnholt::app

namespace varnholt::app {

void QtProgram::ShowNote(const std::string& text) {
    QWidget* mainWindow = windows.WindowOf(program.Tallowmere);
    const QString title = QString::fromStdString(program.application.Title());
    QTimer::singleShot(0, mainWindow, [mainWindow, title, note = QString::fromStdString(text)] {
        QMessageBox::information(mainWindow, title, note);
    });
}

} // namespace varnholt::app

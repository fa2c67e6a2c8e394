#include "app/QtProgram.h"

#include "engine/KeySchedule.h"
#include "exports/KeyScheduleCsv.h"
#include "exports/PinningListCsv.h"
#include "exports/ReportDocuments.h"
#include "qt/reports/PreviewWindow.h"
#include "report/FrmAceKey.h"
#include "toolkit/WindowPlacement.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <optional>

namespace varnholt::app {

QtProgram::QtProgram(const std::filesystem::path& startDirectory)
    : program(startDirectory, messages,
              [this](bands::Document document, const bands::PreviewCreatedHook& hook) {
                  ShowPreview(std::move(document), hook);
              }),
      windows(program.application), systemFiles(program, [this](bands::Document document, int page) {
          Present(
              std::move(document),
              [this](bands::PreviewControl* shown) { HookPreviewKeys(program.FrmAceKey, shown); }, page);
      }) {
    messages.SetApplication(program.application);
    help.sectionOf = [this](const QWidget& window) { return HelpSectionOf(window); };
    program.Tallowmere.QuitQuestion = [this] {
        return systemFiles.MayLeaveCurrent(preview && preview->isVisible() ? preview.get() : nullptr);
    };
    program.Tallowmere.OnOpenSystem = [this] {
        systemFiles.ChooseAndOpen(windows.WindowOf(program.Tallowmere));
    };
    if (QWidget* mainWindow = windows.WindowOf(program.Tallowmere))
        systemFiles.AcceptOpeningOn(*mainWindow);
}

QtProgram::~QtProgram() = default;

void QtProgram::ShowPreview(bands::Document document, const bands::PreviewCreatedHook& hook) {
    // The preview it would replace may hold job details the user has not saved yet.
    if (!systemFiles.MayLeaveCurrent(preview && preview->isVisible() ? preview.get() : nullptr))
        return;
    systemFiles.SystemGenerated();
    Present(std::move(document), hook, 1);
}

void QtProgram::Present(bands::Document document, const bands::PreviewCreatedHook& hook, int page) {
    // One preview at a time: a new report replaces the window of the last one, where it stood.
    std::optional<QRect> place;
    if (preview && preview->isVisible())
        place = preview->geometry();
    preview = qtreports::PreviewWindow::Show(std::move(document), hook);
    preview->RememberSettings();
    if (place)
        preview->setGeometry(*place);
    else
        preview->MoveDownRight(toolkit::CascadeStep * program.application.CopyNumber());
    if (const auto& shown = systemFiles.Current()) {
        preview->SetFileNameStem(shown->NameStem(LocalToday()));
        // The same key schedule the batch command writes, of the system as it was generated: the
        // dialog may be filled in for the next one while this preview is open.
        preview->AddExportFormat(
            {QStringLiteral("Key schedule (CSV)"), QStringLiteral(".csv"), [generated = shown->State()] {
                 return exports::KeyScheduleCsvText(ComputeKeySchedule(generated));
             }});
    }
    systemFiles.AddCommands(*preview);
    // The list of the system this preview shows, with the job details it has when asked.
    if (systemFiles.Current()) {
        preview->AddCommand(
            QStringLiteral("Pinning &List…"),
            [this] {
                if (const auto& current = systemFiles.Current())
                    ShowPinningList(current->State(), current->JobDetails());
            },
            qtreports::PreviewWindow::CommandMenu::System, QKeySequence(Qt::CTRL | Qt::Key_L));
    }
    if (page > 1)
        preview->GoToPage(page);
    // The user asked for it: it comes in front of the windows it was started from, with the
    // keyboard, so that its keys page at once.
    // The dialog that started the report hides after this returns and hands the keyboard back to
    // the main window, so the preview comes forward once that has happened.
    QTimer::singleShot(0, preview.get(), [window = preview.get()] {
        window->raise();
        window->activateWindow();
    });
}

QString QtProgram::HelpSectionOf(const QWidget& window) const {
    if (&window == preview.get())
        return QStringLiteral("preview");
    if (&window == pinningPreview.get())
        return QStringLiteral("pinning-list");
    if (&window == windows.WindowOf(program.Form2))
        return QStringLiteral("data-input");
    if (&window == windows.WindowOf(program.Tallowmere))
        return program.Tallowmere.Panel.Panel2.Visible() ? QStringLiteral("manufacturer-panel")
                                                         : QStringLiteral("main-window");
    return {};
}

void QtProgram::ShowPinningList(const GenerationState& system, const report::JobDetails& job) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::optional<KeySchedule> schedule(ComputeKeySchedule(system));
    bands::Document document = exports::PinningListDocument(system, schedule, job);
    QApplication::restoreOverrideCursor();
    pinningPreview = qtreports::PreviewWindow::Show(std::move(document), {});
    pinningPreview->RememberSettings();
    pinningPreview->SetFileNameStem(FileNameStem(system.MfgName, job, LocalToday()) + " pinning list");
    pinningPreview->SetShownFile(QString::fromStdString(system.MfgName));
    // The list as the batch command writes it as CSV, of the system as it is shown here.
    pinningPreview->AddExportFormat(
        {QStringLiteral("Pinning list (CSV)"), QStringLiteral(".csv"),
         [shown = system] { return exports::PinningListCsvText(shown, ComputeKeySchedule(shown)); }});
    // Down and right of the report's preview, so that the report is plainly still there.
    if (preview && preview->isVisible())
        pinningPreview->CascadeFrom(*preview);
    pinningPreview->raise();
    pinningPreview->activateWindow();
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

#include "app/SystemFileCommands.h"

#include "app/DoorWindow.h"
#include "app/JobDetailsDialog.h"
#include "app/Program.h"
#include "app/UnsavedChanges.h"
#include "qt/reports/PreviewWindow.h"
#include "report/DoorReports.h"
#include "systems/SystemFile.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <chrono>

namespace varnholt::app {

namespace {

const QString SystemFileFilter = QStringLiteral("Key systems (*.varnholt)");
const QString SystemsFolderKey = QStringLiteral("systems/folder");

std::filesystem::path PathOf(const QString& name) {
    return std::filesystem::path(name.toStdU16String());
}

QString NameOf(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

// The one local file a drag carries, if it carries exactly one.
std::optional<QString> DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().front().isLocalFile())
        return std::nullopt;
    return data->urls().front().toLocalFile();
}

} // namespace

SystemFileCommands::SystemFileCommands(Program& owner, Presenter presenter)
    : program(owner), present(std::move(presenter)) {
    chooseSaveFile = [](QWidget* parent, const QString& proposed) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Save System"), proposed,
                                            SystemFileFilter);
    };
    chooseOpenFile = [](QWidget* parent, const QString& proposed) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Open System"), proposed,
                                            SystemFileFilter + QStringLiteral(";;All files (*)"));
    };
    askJobDetails = [](report::JobDetails& details, QWidget* parent) {
        JobDetailsDialog dialog(details, parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        details = dialog.Details();
        return true;
    };
}

void SystemFileCommands::SystemGenerated() {
    CloseDoors();
    current = PreviewedSystem::FromGeneration(program.file.CurrentManufacturer, program.state);
}

void SystemFileCommands::AddCommands(qtreports::PreviewWindow& preview) {
    if (!current)
        return;
    preview.AddCommand(
        QStringLiteral("Save &System…"), [this, window = &preview] { SaveSystem(window); },
        qtreports::PreviewWindow::CommandMenu::File, QKeySequence::Save);
    preview.AddCommand(
        QStringLiteral("&Job Details…"), [this, window = &preview] { EditJobDetails(window); },
        qtreports::PreviewWindow::CommandMenu::System, QKeySequence(Qt::CTRL | Qt::Key_J));
    preview.AddCommand(QStringLiteral("&Doors…"), [this, window = &preview] { ShowDoors(*window); },
                       qtreports::PreviewWindow::CommandMenu::System, QKeySequence(Qt::CTRL | Qt::Key_D));
    ShowState(preview);
    preview.SetCloseQuestion([this, window = &preview] { return MayLeaveCurrent(window); });
}

void SystemFileCommands::ShowState(qtreports::PreviewWindow& preview) const {
    if (!current)
        return;
    preview.SetShownFile(current->File() ? NameOf(current->File()->filename()) : QString());
    preview.SetUnsavedChanges(current->HasUnsavedChanges());
}

bool SystemFileCommands::MayLeaveCurrent(QWidget* parent) {
    const bool discarded = current && current->HasUnsavedChanges();
    if (current && !MayLeaveSystem(program.application, *current, [this, parent] { SaveSystem(parent); }))
        return false;
    if (discarded && doorWindow)
        doorWindow->Reload();
    return true;
}

DoorWindow* SystemFileCommands::Doors() const {
    return doorWindow.data();
}

void SystemFileCommands::ShowDoorReport(bands::Document document, const std::string& stem) {
    doorReport = qtreports::PreviewWindow::Show(std::move(document), {});
    doorReport->RememberSettings();
    doorReport->SetFileNameStem(current->NameStem(LocalToday()) + stem);
    doorReport->SetShownFile(current->File() ? NameOf(current->File()->filename()) : QString());
    if (doorWindow && doorWindow->parentWidget() != nullptr)
        doorReport->CascadeFrom(*doorWindow->parentWidget());
    doorReport->raise();
    doorReport->activateWindow();
}

// The window edits the current system's doors: it goes before the system does.
void SystemFileCommands::CloseDoors() {
    delete doorWindow.data();
    doorWindow = nullptr;
}

void SystemFileCommands::ShowDoors(qtreports::PreviewWindow& preview) {
    if (!current)
        return;
    if (!doorWindow || doorWindow->parentWidget() != &preview) {
        CloseDoors();
        doorWindow = new DoorWindow(
            current->Doors(),
            [this](toolkit::BoxKind kind, std::string_view text, toolkit::Buttons buttons) {
                return program.application.ShowMessage(kind, text, buttons);
            },
            [this, window = &preview] { ShowState(*window); }, &preview);
        doorWindow->proposedExportName =
            QString::fromStdString(current->NameStem(LocalToday()) + " doors.csv");
        doorWindow->showKeyingSchedule = [this] {
            if (!current)
                return;
            QApplication::setOverrideCursor(Qt::WaitCursor);
            bands::Document document = report::KeyingScheduleDocument(current->State(), current->Doors().Doors(),
                                                                      current->JobDetails());
            QApplication::restoreOverrideCursor();
            ShowDoorReport(std::move(document), " keying schedule");
        };
        doorWindow->showLostKey = [this](const std::string& designation) -> std::optional<std::string> {
            if (!current)
                return std::nullopt;
            report::LostKeyPages lost = report::LostKeyDocument(current->State(), current->Doors().Doors(),
                                                                designation, current->JobDetails());
            if (!lost.refusal.empty())
                return lost.refusal;
            ShowDoorReport(std::move(lost.document), " lost key " + designation);
            return std::nullopt;
        };
    }
    doorWindow->show();
    doorWindow->raise();
    doorWindow->activateWindow();
}

QString SystemFileCommands::SystemsFolder() {
    const QString remembered = QSettings().value(SystemsFolderKey).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void SystemFileCommands::ChooseAndOpen(QWidget* parent) {
    const QString name = chooseOpenFile(parent, SystemsFolder());
    if (name.isEmpty())
        return;
    QSettings().setValue(SystemsFolderKey, QFileInfo(name).absolutePath());
    Open(PathOf(name));
}

void SystemFileCommands::Refuse(const std::string& message) {
    program.application.ShowMessage(toolkit::BoxKind::Error, message);
}

bool SystemFileCommands::Open(const std::filesystem::path& file) {
    if (!MayLeaveCurrent(QApplication::activeWindow()))
        return false;
    auto opened = PreviewedSystem::Open(file);
    if (auto* refusal = std::get_if<std::string>(&opened)) {
        Refuse(*refusal);
        return false;
    }
    CloseDoors();
    current = std::get<PreviewedSystem>(std::move(opened));
    present(current->RunReport(), 1);
    if (current->OpeningNote())
        program.application.ShowMessage(toolkit::BoxKind::Information, *current->OpeningNote());
    return true;
}

void SystemFileCommands::SaveSystem(QWidget* parent) {
    if (!current)
        return;
    // Asked before the name: a door the file cannot hold is mended first.
    if (auto refusal = current->DoorsRefusal()) {
        Refuse(*refusal);
        return;
    }
    const std::filesystem::path proposed = current->ProposedFileName(LocalToday());
    QString name =
        chooseSaveFile(parent, proposed.has_parent_path() ? NameOf(proposed)
                                                          : QDir(SystemsFolder()).filePath(NameOf(proposed)));
    if (name.isEmpty())
        return;
    std::filesystem::path file = PathOf(name);
    if (!file.has_extension())
        file += std::string(systems::SystemFileExtension);
    QSettings().setValue(SystemsFolderKey, QFileInfo(NameOf(file)).absolutePath());
    if (auto failure = current->SaveAs(file, std::chrono::system_clock::now())) {
        Refuse(*failure);
        return;
    }
    if (auto* preview = dynamic_cast<qtreports::PreviewWindow*>(parent)) {
        ShowState(*preview);
        preview->ShowStatus(QStringLiteral("Saved the system to %1").arg(NameOf(file)));
    }
}

void SystemFileCommands::EditJobDetails(QWidget* parent) {
    if (!current)
        return;
    report::JobDetails details = current->JobDetails();
    if (!askJobDetails(details, parent) || details == current->JobDetails())
        return;
    current->SetJobDetails(std::move(details));
    const auto* preview = dynamic_cast<const qtreports::PreviewWindow*>(parent);
    const int page = preview != nullptr ? preview->CurrentPage() : 1;
    // The preview that asked is replaced by one that prints the details, once its button's
    // click has returned.
    QTimer::singleShot(0, this, [this, page] {
        if (current)
            present(current->RunReport(), page);
    });
}

void SystemFileCommands::AcceptOpeningOn(QWidget& mainWindow) {
    auto* shortcut = new QShortcut(QKeySequence::Open, &mainWindow);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, window = &mainWindow] { ChooseAndOpen(window); });
    mainWindow.setAcceptDrops(true);
    mainWindow.installEventFilter(this);
}

bool SystemFileCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (DroppedFile(drag->mimeData())) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (const auto file = DroppedFile(drop->mimeData())) {
            drop->acceptProposedAction();
            // Opened once the drop is over, so that the dragging program is not kept waiting
            // behind a message box.
            QTimer::singleShot(0, this, [this, name = *file] { Open(PathOf(name)); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace varnholt::app

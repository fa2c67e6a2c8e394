#include "app/SystemFileCommands.h"

#include "app/JobDetailsDialog.h"
#include "app/Program.h"
#include "qt/reports/PreviewWindow.h"
#include "systems/SystemFile.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>
#include <QShortcut>
#include <QTimer>
#include <QUrl>

#include <chrono>

namespace varnholt::app {

namespace {

const QString SystemFileFilter = QStringLiteral("Key systems (*.varnholt)");

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
    current = PreviewedSystem::FromGeneration(program.file.CurrentManufacturer, program.state);
}

void SystemFileCommands::AddCommands(qtreports::PreviewWindow& preview) {
    if (!current)
        return;
    preview.AddCommand(QStringLiteral("Save System…"), [this, window = &preview] { SaveSystem(window); });
    preview.AddCommand(QStringLiteral("Job Details…"), [this, window = &preview] { EditJobDetails(window); });
}

void SystemFileCommands::Refuse(const std::string& message) {
    program.application.ShowMessage(toolkit::BoxKind::Error, message);
}

bool SystemFileCommands::Open(const std::filesystem::path& file) {
    auto opened = PreviewedSystem::Open(file);
    if (auto* refusal = std::get_if<std::string>(&opened)) {
        Refuse(*refusal);
        return false;
    }
    current = std::get<PreviewedSystem>(std::move(opened));
    present(current->RunReport(), 1);
    if (current->OpeningNote())
        program.application.ShowMessage(toolkit::BoxKind::Information, *current->OpeningNote());
    return true;
}

void SystemFileCommands::SaveSystem(QWidget* parent) {
    if (!current)
        return;
    QString name = chooseSaveFile(parent, NameOf(current->ProposedFileName(LocalToday())));
    if (name.isEmpty())
        return;
    std::filesystem::path file = PathOf(name);
    if (!file.has_extension())
        file += std::string(systems::SystemFileExtension);
    if (auto failure = current->SaveAs(file, std::chrono::system_clock::now()))
        Refuse(*failure);
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
    connect(shortcut, &QShortcut::activated, this, [this, window = &mainWindow] {
        const QString name = chooseOpenFile(window, QString());
        if (!name.isEmpty())
            Open(PathOf(name));
    });
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

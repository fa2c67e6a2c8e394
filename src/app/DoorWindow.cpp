#include "app/DoorWindow.h"

#include "app/DoorTableModel.h"
#include "files/FileReplacement.h"
#include "systems/DoorListCsv.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <set>

namespace varnholt::app {

namespace {

const QString CsvFilter = QStringLiteral("Door lists (*.csv)");
const QString DoorsFolderKey = QStringLiteral("doors/folder");
// Far beyond any building's door list; a larger file is not one.
constexpr std::size_t LargestDoorList = 64U << 20U;

std::filesystem::path PathOf(const QString& name) {
    return std::filesystem::path(name.toStdU16String());
}

std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace

DoorWindow::DoorWindow(systems::DoorTable& doors, Messenger messenger, std::function<void()> changed,
                       QWidget* parent)
    : QDialog(parent), table(doors), message(std::move(messenger)) {
    setWindowTitle(QStringLiteral("Doors"));
    setObjectName(QStringLiteral("DoorWindow"));
    model = new DoorTableModel(table, std::move(changed), this);
    view = new QTableView(this);
    view->setObjectName(QStringLiteral("doors"));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setWordWrap(false);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setColumnWidth(DoorTableModel::DoorColumn, 90);
    view->setColumnWidth(DoorTableModel::LocationColumn, 180);
    view->setColumnWidth(DoorTableModel::KeyedToColumn, 140);
    view->setColumnWidth(DoorTableModel::CylindersColumn, 75);
    view->setColumnWidth(DoorTableModel::NotesColumn, 160);

    chooseImportFile = [](QWidget* owner, const QString& proposed) {
        return QFileDialog::getOpenFileName(owner, QStringLiteral("Import Door List"), proposed,
                                            CsvFilter + QStringLiteral(";;All files (*)"));
    };
    chooseExportFile = [](QWidget* owner, const QString& proposed) {
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Export Door List"), proposed, CsvFilter);
    };

    auto* add = new QPushButton(QStringLiteral("&Add Door"), this);
    auto* remove = new QPushButton(QStringLiteral("&Remove Door"), this);
    auto* import = new QPushButton(QStringLiteral("&Import CSV…"), this);
    auto* exportButton = new QPushButton(QStringLiteral("&Export CSV…"), this);
    auto* schedule = new QPushButton(QStringLiteral("&Keying Schedule…"), this);
    auto* lost = new QPushButton(QStringLiteral("&Lost Key…"), this);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    schedule->setAutoDefault(false);
    lost->setAutoDefault(false);
    connect(schedule, &QPushButton::clicked, this, &DoorWindow::KeyingSchedule);
    connect(lost, &QPushButton::clicked, this, &DoorWindow::LostKey);
    askLostKey = [](QWidget* owner) {
        return QInputDialog::getText(
                   owner, QStringLiteral("Lost Key"),
                   QStringLiteral("The key that was lost, as the key lists name it (GMK, A, AA, AA 1):"))
            .trimmed();
    };
    add->setAutoDefault(false);
    remove->setAutoDefault(false);
    import->setAutoDefault(false);
    exportButton->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &DoorWindow::AddDoor);
    connect(remove, &QPushButton::clicked, this, &DoorWindow::RemoveDoors);
    connect(import, &QPushButton::clicked, this, &DoorWindow::ImportCsv);
    connect(exportButton, &QPushButton::clicked, this, &DoorWindow::ExportCsv);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addSpacing(16);
    buttons->addWidget(import);
    buttons->addWidget(exportButton);
    buttons->addSpacing(16);
    buttons->addWidget(schedule);
    buttons->addWidget(lost);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addLayout(buttons);
    resize(1000, 480);
}

void DoorWindow::AddDoor() {
    const QModelIndex current = view->currentIndex();
    const int row = current.isValid() ? current.row() + 1 : model->rowCount();
    model->insertRow(row);
    const QModelIndex door = model->index(row, DoorTableModel::KeyedToColumn);
    view->setCurrentIndex(door);
    view->scrollTo(door);
    view->setFocus();
}

void DoorWindow::RemoveDoors() {
    std::set<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    if (rows.empty() && view->currentIndex().isValid())
        rows.insert(view->currentIndex().row());
    // From the bottom up, so that the rows still to go keep their numbers.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        model->removeRow(*row);
}

QString DoorWindow::Folder() {
    const QString remembered = QSettings().value(DoorsFolderKey).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void DoorWindow::RememberFolder(const QString& file) {
    QSettings().setValue(DoorsFolderKey, QFileInfo(file).absolutePath());
}

void DoorWindow::ImportCsv() {
    const QString name = chooseImportFile(this, Folder());
    if (name.isEmpty())
        return;
    RememberFolder(name);
    ImportFrom(name);
}

void DoorWindow::ImportFrom(const QString& name) {
    const std::string shown = ToUtf8(name);
    auto text = files::ReadFileStart(PathOf(name), LargestDoorList + 1);
    if (auto* failure = std::get_if<std::error_code>(&text)) {
        message(toolkit::BoxKind::Error,
                "The door list \"" + shown + "\" cannot be read: " + failure->message() + ".",
                toolkit::Buttons::Ok);
        return;
    }
    const std::string& bytes = std::get<std::string>(text);
    if (bytes.size() > LargestDoorList) {
        message(toolkit::BoxKind::Error,
                "The door list \"" + shown + "\" is larger than 64 MB; it is no door list.",
                toolkit::Buttons::Ok);
        return;
    }
    systems::DoorListReading reading = systems::ReadDoorListCsv(bytes, table.Request(), table.Schedule());
    if (reading.refusal) {
        message(toolkit::BoxKind::Error,
                "The door list \"" + shown + "\" is refused: line " + std::to_string(reading.refusal->line) +
                    ": " + reading.refusal->message + "\nThe doors in the table are as they were.",
                toolkit::Buttons::Ok);
        return;
    }
    if (table.Size() > 0 &&
        message(toolkit::BoxKind::Confirmation,
                "Replace the " + std::to_string(table.Size()) + " doors in the table with the " +
                    std::to_string(reading.doors.size()) + " doors of \"" + shown + "\"?",
                toolkit::Buttons::YesNo) != toolkit::Answer::Yes)
        return;
    model->Assign(std::move(reading.doors));
}

void DoorWindow::ExportCsv() {
    const QString name = chooseExportFile(this, QDir(Folder()).filePath(proposedExportName));
    if (name.isEmpty())
        return;
    RememberFolder(name);
    ExportTo(name);
}

void DoorWindow::ExportTo(const QString& name) {
    for (std::size_t row = 0; row < table.Size(); ++row)
        if (table.At(row).targets.empty() && !table.KeyedToText(row).empty()) {
            message(toolkit::BoxKind::Error,
                    "Door " + table.At(row).number + " is keyed to \"" + table.KeyedToText(row) +
                        "\", which is no key name; correct it before the list is exported.",
                    toolkit::Buttons::Ok);
            return;
        }
    if (auto failure = files::WriteFileWhole(PathOf(name), systems::DoorListCsvText(table.Doors())))
        message(toolkit::BoxKind::Error, *failure, toolkit::Buttons::Ok);
}

void DoorWindow::KeyingSchedule() {
    if (showKeyingSchedule)
        showKeyingSchedule();
}

void DoorWindow::LostKey() {
    if (!showLostKey)
        return;
    const QString designation = askLostKey(this);
    if (designation.isEmpty())
        return;
    if (auto refusal = showLostKey(ToUtf8(designation)))
        message(toolkit::BoxKind::Error, *refusal, toolkit::Buttons::Ok);
}

void DoorWindow::Reload() {
    model->Reload();
}

} // namespace varnholt::app

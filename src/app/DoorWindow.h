#pragma once

#include "systems/DoorTable.h"
#include "toolkit/MessageService.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QPushButton;
class QTableView;

namespace varnholt::app {

class DoorTableModel;

// "Doors": the doors of the system in the preview as a table, edited in place, each row checked
// as it is edited with the reason in its Check column; rows added and removed, a door list
// imported from CSV and exported to it; the keying schedule and a lost key's list of the doors
// as they stand, each in a preview of its own. It edits the system's door table itself, so that
// "Save System…" keeps what it shows.
class DoorWindow final : public QDialog {
public:
    using Messenger = std::function<toolkit::Answer(toolkit::BoxKind, std::string_view, toolkit::Buttons)>;
    // Asks for a file name to import from or export to; empty when the user cancels.
    using FileChooser = std::function<QString(QWidget* parent, const QString& proposed)>;

    // changed runs after every edit; the table must outlive the window.
    DoorWindow(systems::DoorTable& table, Messenger messenger, std::function<void()> changed,
               QWidget* parent);

    QTableView& View() { return *view; }
    DoorTableModel& Model() { return *model; }

    void AddDoor();
    void RemoveDoors();
    void ImportCsv();
    void ExportCsv();
    void KeyingSchedule();
    // Asks which key was lost and shows the doors it opens.
    void LostKey();
    // Reads a door list into the table in place of its doors (after asking, when it has some);
    // a refused list is told, naming its line, and changes nothing.
    void ImportFrom(const QString& file);
    void ExportTo(const QString& file);
    // After the table changed behind the window (changes discarded).
    void Reload();

    FileChooser chooseImportFile;
    FileChooser chooseExportFile;
    // Shows the keying schedule of the doors as they stand.
    std::function<void()> showKeyingSchedule;
    // Shows the doors that key opens; the message why not when it names no single key.
    std::function<std::optional<std::string>(const std::string& designation)> showLostKey;
    // Asks for the designation of the lost key; empty when the user cancels.
    std::function<QString(QWidget* parent)> askLostKey;
    // What the exported file is called when nothing else is known, without the folder.
    QString proposedExportName = QStringLiteral("Doors.csv");

private:
    static QString Folder();
    static void RememberFolder(const QString& file);

    systems::DoorTable& table;
    Messenger message;
    DoorTableModel* model = nullptr;
    QTableView* view = nullptr;
};

} // namespace varnholt::app

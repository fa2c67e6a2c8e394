#include "SixPinStory.h"
#include "app/DoorTableModel.h"
#include "app/DoorWindow.h"
#include "app/QtProgram.h"
#include "manufacturers/ManufacturerRecord.h"
#include "qt/reports/PreviewWindow.h"
#include "toolkit/HeadlessMessageService.h"
#include "toolkit/Keys.h"
#include "toolkit/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBrush>
#include <QMessageBox>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>

namespace varnholt::app {
namespace {

class DoorStory : public ::testing::Test {
protected:
    DoorStory() {
        folder = FolderWithSixPinDatabase("varnholt-doors-");
        // Every message box is answered, and what it said kept.
        QObject::connect(&watcher, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                said.push_back(box->text().toStdString());
                const QMessageBox::StandardButton answer =
                    answers.empty() ? QMessageBox::Ok : answers.front();
                if (!answers.empty())
                    answers.pop_front();
                box->button(answer)->click();
            }
        });
        watcher.start(10);
    }
    ~DoorStory() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // 6 chambers, 2 masters with 2 sub-masters each, 3 change keys each.
    static void Generate(QtProgram& program) { GenerateSixPinSystem(program, "2\n2\n3\n"); }

    static DoorWindow& OpenDoors(QtProgram& program) {
        auto* command = program.Preview()->findChild<QToolButton*>(QStringLiteral("Doors…"));
        EXPECT_NE(command, nullptr);
        command->click();
        return *program.SystemFiles().Doors();
    }

    static QString Shown(DoorTableModel& model, int row, int column) {
        return model.data(model.index(row, column)).toString();
    }

    std::filesystem::path folder;
    QTimer watcher;
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<std::string> said;
};

// Doors typed into the table are checked row by row, kept by "Save System…" once none is
// refused, and come back with the file.
TEST_F(DoorStory, DoorsAreCheckedAsTypedSavedWithTheSystemAndOpenedAgain) {
    const std::filesystem::path file = folder / "office.varnholt";
    {
        QtProgram program(folder);
        ASSERT_NO_FATAL_FAILURE(Generate(program));
        DoorWindow& doors = OpenDoors(program);
        DoorTableModel& model = doors.Model();
        EXPECT_EQ(model.rowCount(), 0);
        doors.AddDoor();
        doors.AddDoor();
        ASSERT_EQ(model.rowCount(), 2);
        EXPECT_EQ(Shown(model, 0, DoorTableModel::DoorColumn), "1");
        EXPECT_EQ(Shown(model, 1, DoorTableModel::DoorColumn), "2");
        EXPECT_EQ(Shown(model, 0, DoorTableModel::CheckColumn), "It is keyed to no key.");
        EXPECT_TRUE(program.Preview()->isWindowModified()) << "the preview's title marks unsaved doors";

        ASSERT_TRUE(model.setData(model.index(0, DoorTableModel::KeyedToColumn), "aa1"));
        ASSERT_TRUE(model.setData(model.index(0, DoorTableModel::LocationColumn), "Store, east"));
        EXPECT_EQ(Shown(model, 0, DoorTableModel::KeyedToColumn), "AA 1");
        EXPECT_EQ(Shown(model, 0, DoorTableModel::CheckColumn), "OK");
        EXPECT_EQ(model.data(model.index(0, 0), Qt::BackgroundRole), QVariant());
        ASSERT_TRUE(model.setData(model.index(1, DoorTableModel::KeyedToColumn), "ZZ 9"));
        EXPECT_EQ(Shown(model, 1, DoorTableModel::CheckColumn), "There is no key ZZ 9 in this system.");
        EXPECT_EQ(model.data(model.index(1, DoorTableModel::NotesColumn), Qt::ToolTipRole).toString(),
                  "There is no key ZZ 9 in this system.");
        EXPECT_NE(model.data(model.index(1, 0), Qt::BackgroundRole), QVariant()) << "a refused row is tinted";

        // Saved while a row is refused: nothing is written, and the door is named.
        program.SystemFiles().chooseSaveFile = [&](QWidget*, const QString&) {
            return QString::fromStdString(file.string());
        };
        program.Preview()->findChild<QToolButton*>(QStringLiteral("Save System…"))->click();
        ASSERT_EQ(said.size(), 1U);
        EXPECT_NE(said[0].find("Door 2: There is no key ZZ 9 in this system."), std::string::npos) << said[0];
        EXPECT_FALSE(std::filesystem::exists(file));

        ASSERT_TRUE(model.setData(model.index(1, DoorTableModel::KeyedToColumn), "A *"));
        ASSERT_TRUE(model.setData(model.index(1, DoorTableModel::CylindersColumn), 3));
        EXPECT_EQ(Shown(model, 1, DoorTableModel::CheckColumn), "OK");
        program.Preview()->findChild<QToolButton*>(QStringLiteral("Save System…"))->click();
        ASSERT_TRUE(std::filesystem::exists(file)) << (said.size() > 1 ? said[1] : "");
        EXPECT_FALSE(program.Preview()->isWindowModified());

        // Removing a door is a change like any other: closing asks.
        doors.View().setCurrentIndex(model.index(0, 0));
        doors.RemoveDoors();
        EXPECT_EQ(model.rowCount(), 1);
        answers = {QMessageBox::Discard};
        EXPECT_TRUE(program.Preview()->close());
        ASSERT_EQ(said.size(), 2U);
        EXPECT_EQ(said[1],
                  "The doors of \"office.varnholt\" have not been saved.\nDo you want to save them?");
    }
    QtProgram program(folder);
    program.Start();
    ASSERT_TRUE(program.OpenSystemFile(file));
    DoorTableModel& model = OpenDoors(program).Model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(Shown(model, 0, DoorTableModel::LocationColumn), "Store, east");
    EXPECT_EQ(Shown(model, 1, DoorTableModel::KeyedToColumn), "A *");
    EXPECT_EQ(model.data(model.index(1, DoorTableModel::CylindersColumn)).toInt(), 3);
    EXPECT_FALSE(program.Preview()->isWindowModified());
}

// A door list goes out as CSV and comes back in; a list with a bad line changes nothing.
TEST_F(DoorStory, ExportedDoorsImportAgainAndABadListIsRefusedByItsLine) {
    QtProgram program(folder);
    ASSERT_NO_FATAL_FAILURE(Generate(program));
    DoorWindow& doors = OpenDoors(program);
    DoorTableModel& model = doors.Model();
    const std::filesystem::path list = folder / "doors.csv";
    std::ofstream(list) << "Door,Keyed To,Notes\n101,AA 1,\"two\nlines\"\n102,AB *,\n";
    doors.ImportFrom(QString::fromStdString(list.string()));
    ASSERT_EQ(model.rowCount(), 2) << (said.empty() ? "" : said.back());
    EXPECT_EQ(Shown(model, 1, DoorTableModel::KeyedToColumn), "AB *");

    const std::filesystem::path exported = folder / "out.csv";
    doors.ExportTo(QString::fromStdString(exported.string()));
    std::string text;
    {
        std::ifstream stream(exported, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(stream), {});
    }
    EXPECT_EQ(text,
              "Door,Location,Keyed To,Cylinders,Notes\r\n101,,AA 1,1,\"two\nlines\"\r\n102,,AB *,1,\r\n");

    std::ofstream(list, std::ios::trunc) << "Door,Keyed To\n201,AA 2\n202,QQ 1\n";
    doors.ImportFrom(QString::fromStdString(list.string()));
    ASSERT_EQ(said.size(), 1U);
    EXPECT_NE(said[0].find("is refused: line 3: door 202 is keyed to QQ 1"), std::string::npos) << said[0];
    EXPECT_EQ(Shown(model, 0, DoorTableModel::DoorColumn), "101") << "the table is as it was";

    // A good list replaces the table's doors once the user agrees.
    std::ofstream(list, std::ios::trunc) << "Door,Keyed To\n201,AA 2\n";
    answers = {QMessageBox::No};
    doors.ImportFrom(QString::fromStdString(list.string()));
    EXPECT_EQ(model.rowCount(), 2);
    answers = {QMessageBox::Yes};
    doors.ImportFrom(QString::fromStdString(list.string()));
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(said.back().rfind("Replace the 2 doors in the table with the 1 doors of", 0), 0U)
        << said.back();

    // A door numbered as another: both are refused until one is renumbered.
    ASSERT_TRUE(model.setData(model.index(0, DoorTableModel::DoorColumn), "301"));
    doors.AddDoor();
    EXPECT_EQ(Shown(model, 1, DoorTableModel::DoorColumn), "302");
    ASSERT_TRUE(model.setData(model.index(1, DoorTableModel::DoorColumn), " 301 "));
    EXPECT_EQ(Shown(model, 0, DoorTableModel::CheckColumn),
              "Door number 301 is given to 2 doors; each door needs its own.");

    // The doors' reports open as they stand; a lost key the system lacks is told.
    EXPECT_TRUE(doors.showLostKey("ZZ 9"));
    EXPECT_FALSE(doors.showLostKey("AA")) << *doors.showLostKey("AA");
    doors.showKeyingSchedule();
    answers = {QMessageBox::Discard};
}

} // namespace
} // namespace varnholt::app

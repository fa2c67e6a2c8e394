#include "SixPinStory.h"
#include "app/QtProgram.h"
#include "bands/JsonOutput.h"
#include "bands/TextOutput.h"
#include "engine/KeySchedule.h"
#include "manufacturers/ManufacturerRecord.h"
#include "qt/forms/QtFormWindow.h"
#include "qt/reports/PreviewWindow.h"
#include "toolkit/HeadlessMessageService.h"
#include "toolkit/Keys.h"
#include "toolkit/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>

namespace varnholt::app {
namespace {

class SavedSystemStory : public ::testing::Test {
protected:
    SavedSystemStory() {
        folder = FolderWithSixPinDatabase("varnholt-saved-");
    }
    ~SavedSystemStory() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // "Generate a New System", the only manufacturer, 6 chambers, 12 masters with 3 sub-masters
    // each and every change key; the windows follow the story as the user plays it.
    static void Generate(QtProgram& program) { GenerateSixPinSystem(program, "12\n3\n\n"); }

    // Ctrl+key in that window. A window shortcut only answers in the active window, and a preview
    // that has just opened comes forward on its own, so the window is asked again until it is.
    static void PressCtrl(QWidget* window, Qt::Key key) {
        ASSERT_TRUE(QTest::qWaitFor(
            [window] {
                if (QApplication::activeWindow() != window)
                    window->activateWindow();
                return QApplication::activeWindow() == window;
            },
            10000));
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    }

    static QToolButton* Command(QtProgram& program, const char* text) {
        return program.Preview()->findChild<QToolButton*>(QString::fromUtf8(text));
    }

    std::filesystem::path folder;
};

TEST_F(SavedSystemStory, APreviewSavedWithJobDetailsOpensAgainAsTheSameReport) {
    const std::filesystem::path file = folder / "office.varnholt";
    // File names never carry a bitting: the job number or customer and the date instead.
    char today[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(today, sizeof today, "%Y-%m-%d", std::localtime(&now));
    EXPECT_EQ(FileNameStem("Acme", {"Smith Co.", "", "", ""}, std::chrono::year(2026) / 3 / 7),
              "Acme Smith Co. 2026-03-07");
    std::string json;
    std::string text;
    {
        QtProgram program(folder);
        ASSERT_NO_FATAL_FAILURE(Generate(program));
        program.SystemFiles().askJobDetails = [](report::JobDetails& details, QWidget*) {
            details = {"Müller & Söhne", "Rue de l'Église 5", "2026/114", "Wing B\nKeys to the caretaker"};
            return true;
        };
        program.SystemFiles().chooseSaveFile = [&](QWidget*, const QString& proposed) {
            // In the folder last used for systems, the documents folder the first time.
            EXPECT_EQ(QFileInfo(proposed).fileName(),
                      QString::fromStdString("Acme 6-pin 2026_114 " + std::string(today) + ".varnholt"));
            EXPECT_EQ(QFileInfo(proposed).absolutePath(), SystemFileCommands::SystemsFolder());
            return QString::fromStdString((folder / "office").string());
        };
        ASSERT_NE(Command(program, "Job Details…"), nullptr);
        Command(program, "Job Details…")->click();
        QApplication::processEvents();
        EXPECT_EQ(program.Preview()->ProposedPdfName(),
                  QString::fromStdString("Acme 6-pin 2026-114 " + std::string(today) + ".pdf"));
        json = bands::ToJson(program.Preview()->Document());
        EXPECT_NE(json.find("Customer: Müller & Söhne"), std::string::npos)
            << "the preview shows the details";
        ASSERT_NE(Command(program, "Save System…"), nullptr) << "the new preview has the buttons too";
        Command(program, "Save System…")->click();
        text = bands::ToText(program.Preview()->Document());
    }
    ASSERT_TRUE(std::filesystem::exists(file)) << "\".varnholt\" added to the name typed";
    QtProgram program(folder);
    program.Start();
    ASSERT_TRUE(program.OpenSystemFile(file));
    ASSERT_NE(program.Preview(), nullptr);
    EXPECT_EQ(bands::ToJson(program.Preview()->Document()), json);
    EXPECT_EQ(bands::ToText(program.Preview()->Document()), text);
}

// Ctrl+L opens the pinning list, Ctrl+E there exports it as CSV: the bytes the batch command
// writes for the system it shows.
TEST_F(SavedSystemStory, ThePinningListExportsTheBatchCommandsCsvFromTheKeyboard) {
    QtProgram program(folder);
    ASSERT_NO_FATAL_FAILURE(Generate(program));
    ASSERT_NO_FATAL_FAILURE(PressCtrl(program.Preview(), Qt::Key_L));
    ASSERT_NE(program.PinningPreview(), nullptr);
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [this] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->setDirectory(QString::fromStdString(folder.string()));
            dialog->selectNameFilter(QStringLiteral("Pinning list (CSV) (*.csv)"));
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("pins"));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    driver.start(20);
    ASSERT_NO_FATAL_FAILURE(PressCtrl(program.PinningPreview(), Qt::Key_E));
    driver.stop();

    const auto read = [](const std::filesystem::path& file) {
        std::ifstream stream(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    };
    const std::string exported = read(folder / "pins.csv");
    ASSERT_FALSE(exported.empty()) << "nothing was exported";
    // The batch command, given the same system saved, writes the same bytes.
    const std::filesystem::path system = folder / "shown.varnholt";
    program.SystemFiles().chooseSaveFile = [&](QWidget*, const QString&) {
        return QString::fromStdString(system.string());
    };
    Command(program, "Save System…")->click();
    const std::string command = std::string("'") + VARNHOLT_REPORT_COMMAND + "' --system '" +
                                system.string() + "' --report pinning --format csv --output '" +
                                (folder / "batch.csv").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(exported, read(folder / "batch.csv"));
    // A header, then a row per chamber of every listed key's cylinder.
    const KeySchedule schedule = ComputeKeySchedule(program.SystemFiles().Current()->State());
    const auto listed =
        std::count_if(schedule.begin(), schedule.end(), [](const ScheduledKey& key) { return key.listed; });
    EXPECT_EQ(std::count(exported.begin(), exported.end(), '\n'), 1 + 6 * listed);
}

TEST_F(SavedSystemStory, AFileDroppedOnTheMainWindowOrChosenWithCtrlOOpensOrIsRefusedLeavingThePreviewAlone) {
    QtProgram program(folder);
    ASSERT_NO_FATAL_FAILURE(Generate(program));
    const std::filesystem::path file = folder / "dropped.varnholt";
    program.SystemFiles().chooseSaveFile = [&](QWidget*, const QString&) {
        return QString::fromStdString(file.string());
    };
    Command(program, "Save System…")->click();
    std::string saved;
    {
        std::ifstream stream(file, std::ios::binary);
        saved.assign(std::istreambuf_iterator<char>(stream), {});
    }
    const auto drop = [&](const std::filesystem::path& dropped) {
        QWidget* window = program.Windows().WindowOf(program.Model().Tallowmere);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dropped.string()))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped_(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &dropped_);
    };
    // The fingerprint of other keys or pins: told plainly, and the preview stays as it was.
    std::string other = saved;
    const auto at = other.find("\"keysAndPinsSha256\": \"") + 22;
    other[at] = other[at] == 'a' ? 'b' : 'a';
    std::ofstream(folder / "changed.varnholt", std::ios::binary) << other;
    const QPointer<QWidget> before(program.Preview());
    std::vector<std::string> boxes;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&boxes] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes.push_back(box->text().toStdString());
            box->button(QMessageBox::Ok)->click();
        }
    });
    watcher.start(20);
    drop(folder / "changed.varnholt");
    // The drop is handled once the event loop runs again; a loaded machine may take a while.
    ASSERT_TRUE(QTest::qWaitFor([&boxes] { return !boxes.empty(); }, 10000)) << "no message came";
    QTest::qWait(50); // a second box would come straight after the first
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_NE(
        boxes[0].find("the keys and pins this version of the program makes of it differ from those saved"),
        std::string::npos)
        << boxes[0];
    EXPECT_FALSE(before.isNull());
    EXPECT_EQ(program.Preview(), before.data());

    drop(file);
    EXPECT_TRUE(QTest::qWaitFor([&before] { return before.isNull(); }, 10000))
        << "the opened system's preview took its place";
    EXPECT_EQ(boxes.size(), 1U);
    ASSERT_NE(program.Preview(), nullptr);

    // Ctrl+O in the main window asks for a file and opens it the same way.
    const QPointer<QWidget> dropped(program.Preview());
    QString asked;
    program.SystemFiles().chooseOpenFile = [&](QWidget*, const QString&) {
        asked = "asked";
        return QString::fromStdString(file.string());
    };
    QWidget* mainWindow = program.Windows().WindowOf(program.Model().Tallowmere);
    ASSERT_NO_FATAL_FAILURE(PressCtrl(mainWindow, Qt::Key_O));
    QApplication::processEvents();
    EXPECT_EQ(asked, "asked");
    EXPECT_TRUE(dropped.isNull());
    EXPECT_NE(program.Preview(), nullptr);

    // A file of version 1 opens, and the user is told that only its key list could be checked.
    const QPointer<QWidget> chosen(program.Preview());
    drop(VARNHOLT_VERSION_1_SYSTEM);
    ASSERT_TRUE(QTest::qWaitFor([&boxes] { return boxes.size() == 2; }, 10000)) << "no note came";
    EXPECT_NE(boxes[1].find("is of version 1, which holds a check of its key list only"), std::string::npos)
        << boxes[1];
    EXPECT_TRUE(chosen.isNull()) << "its preview took the place of the one before";
}

} // namespace
} // namespace varnholt::app

namespace varnholt::app {
namespace {

// Job details typed in the preview are not lost: closing it and quitting ask Save / Discard /
// Cancel; the title marks them and names the file once saved, and the status line says so.
TEST_F(SavedSystemStory, UnsavedJobDetailsAskBeforeThePreviewClosesAndBeforeTheProgramEnds) {
    QtProgram program(folder);
    ASSERT_NO_FATAL_FAILURE(Generate(program));
    program.SystemFiles().askJobDetails = [](report::JobDetails& details, QWidget*) {
        details.customer = "Müller";
        return true;
    };
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<std::string> questions;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box != nullptr && !answers.empty()) {
            questions.push_back(box->text().toStdString());
            box->button(answers.front())->click();
            answers.pop_front();
        }
    });
    watcher.start(10);
    const auto jobDetails = [&] {
        Command(program, "Job Details…")->click();
        QApplication::processEvents();
        ASSERT_TRUE(program.Preview()->isWindowModified());
    };
    ASSERT_NO_FATAL_FAILURE(jobDetails());
    EXPECT_EQ(program.Preview()->windowTitle(), "Varnholt Report*");

    answers = {QMessageBox::Cancel};
    EXPECT_FALSE(program.Preview()->close()) << "Cancel keeps the preview";
    ASSERT_EQ(questions.size(), 1U);
    EXPECT_EQ(questions[0], "The job details of the system of Acme 6-pin have not been saved.\n"
                            "Do you want to save them?");
    answers = {QMessageBox::Discard};
    EXPECT_TRUE(program.Preview()->close());
    program.Model().Tallowmere.Button5Click();
    EXPECT_TRUE(program.Model().application.Terminated()) << "nothing unsaved is left: Quit ends at once";
    EXPECT_EQ(questions.size(), 2U);
}

TEST_F(SavedSystemStory, QuittingWithUnsavedJobDetailsAsksOnceAndSaves) {
    QtProgram program(folder);
    ASSERT_NO_FATAL_FAILURE(Generate(program));
    program.SystemFiles().askJobDetails = [](report::JobDetails& details, QWidget*) {
        details.site = "Wing B";
        return true;
    };
    Command(program, "Job Details…")->click();
    QApplication::processEvents();
    program.SystemFiles().chooseSaveFile = [&](QWidget*, const QString&) {
        return QString::fromStdString((folder / "job").string());
    };
    int asked = 0;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++asked;
            box->button(asked == 1 ? QMessageBox::Cancel : QMessageBox::Save)->click();
        }
    });
    watcher.start(10);
    program.Model().Tallowmere.Button5Click();
    EXPECT_FALSE(program.Model().application.Terminated()) << "Cancel keeps the program running";
    program.Model().Tallowmere.Button5Click();
    EXPECT_TRUE(program.Model().application.Terminated());
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(std::filesystem::exists(folder / "job.varnholt"));
    EXPECT_FALSE(program.Preview()->isWindowModified());
    EXPECT_EQ(program.Preview()->windowTitle(), "job.varnholt \u2013 Varnholt Report");
    EXPECT_EQ(program.Preview()->statusBar()->currentMessage().toStdString(),
              "Saved the system to " + (folder / "job.varnholt").string());
}

} // namespace
} // namespace varnholt::app

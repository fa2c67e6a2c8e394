#include "app/QtProgram.h"
#include "engine/KeySchedule.h"
#include "manufacturers/ManufacturerRecord.h"
#include "qt/reports/PreviewWindow.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

namespace {

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override { application = std::make_unique<QApplication>(argc, argv); }
    void TearDown() override { application.reset(); }

private:
    int argc = 1;
    char name[24] = "definition_qt_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> application;
};

const testing::Environment* const environment = testing::AddGlobalTestEnvironment(new QtEnvironment);

// The real program, in real (offscreen) windows, started in a folder that holds one manufacturer.
class DataInputOnScreen : public testing::Test {
protected:
    DataInputOnScreen() {
        std::random_device entropy;
        folder = std::filesystem::temp_directory_path() /
                 ("varnholt-definition-qt-" + std::to_string(entropy()) + "-" + std::to_string(entropy()));
        std::filesystem::create_directories(folder);
        varnholt::manufacturers::ManufacturerRecord acme;
        acme.Name = "Acme";
        acme.MinChambers = 5;
        acme.ChamberChoices = 2;
        acme.ShallowestCut = 0;
        acme.DeepestCut = 9;
        acme.MaxAdjacentCut = 5;
        acme.StepIncrement = 2;
        const varnholt::manufacturers::RecordBytes bytes = acme.Encode();
        std::ofstream(folder / "Varnholt.MFG", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        program = std::make_unique<varnholt::app::QtProgram>(folder);
    }

    ~DataInputOnScreen() override {
        program.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // The widget the user's keys reach: the one showing the model's focused component.
    QWidget* KeyboardTarget() {
        varnholt::toolkit::Form* form = program->Model().application.ActiveForm();
        if (form == nullptr || form->Focused() == nullptr) {
            return nullptr;
        }
        auto* window = program->Windows().WindowOf(*form);
        return window != nullptr ? window->WidgetOf(*form->Focused()) : nullptr;
    }

    static std::string FocusedName(const varnholt::toolkit::Form& form) {
        return form.Focused() != nullptr ? form.Focused()->Name() : std::string();
    }

    void Press(Qt::Key key) {
        QWidget* target = KeyboardTarget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key);
    }

    void Type(const char* text) {
        for (const char* character = text; *character != '\0'; ++character) {
            QWidget* target = KeyboardTarget();
            ASSERT_NE(target, nullptr);
            QTest::keyClick(target, *character);
        }
    }

    std::filesystem::path folder;
    std::unique_ptr<varnholt::app::QtProgram> program;
};

} // namespace

TEST_F(DataInputOnScreen, FromTheMainMenuToTheFinishedReport) {
    // A message box would wait for a user who is not there: close it and fail instead.
    bool sawMessageBox = false;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            sawMessageBox = true;
            modal->close();
        }
    });
    watchdog.start(100);

    program->Start();
    QCoreApplication::processEvents();
    auto& model = program->Model();

    Press(Qt::Key_Return); // "Generate a New System"
    ASSERT_TRUE(model.Form2.Visible());
    ASSERT_EQ(FocusedName(model.Form2), "LB1");
    Press(Qt::Key_Return); // the one manufacturer
    ASSERT_TRUE(model.Form2.Get<varnholt::toolkit::Panel>("Panel1").Visible());
    ASSERT_EQ(FocusedName(model.Form2), "Edit1");

    Type("24686");
    EXPECT_EQ(model.state.TopMasterKey, "24686");
    EXPECT_EQ(model.Form2.Get<varnholt::toolkit::Label>("Label12").Caption(), "16");
    Type("4");
    Press(Qt::Key_Return);
    EXPECT_EQ(model.Form2.Get<varnholt::toolkit::Label>("Label13").Caption(), "4");
    Type("2");
    EXPECT_EQ(model.Form2.Get<varnholt::toolkit::Label>("Label11").Caption(), "64");
    Press(Qt::Key_Return); // on to the keys
    Press(Qt::Key_Return); // all of them
    ASSERT_EQ(FocusedName(model.Form2), "Button3");
    Press(Qt::Key_Return); // OK
    QCoreApplication::processEvents();

    EXPECT_FALSE(sawMessageBox);
    EXPECT_EQ(model.state.ChamberRoles, "MSRRR");
    EXPECT_EQ(model.state.ChangeKeyCount, 64);
    EXPECT_FALSE(model.Form2.Visible());
    ASSERT_NE(program->Preview(), nullptr);
    EXPECT_GE(program->Preview()->PageCount(), 2);
    EXPECT_EQ(model.Form2.Get<varnholt::toolkit::Edit>("Edit1").Text(), "");

    // The preview's "Pinning List…" opens the list of this system in a preview of its own, a
    // cylinder for every key listed.
    auto* pinningList = program->Preview()->findChild<QToolButton*>(QStringLiteral("Pinning List…"));
    ASSERT_NE(pinningList, nullptr);
    pinningList->click();
    ASSERT_NE(program->PinningPreview(), nullptr);
    std::size_t cylinders = 0;
    for (const varnholt::bands::DocumentPage& page : program->PinningPreview()->Document().pages)
        for (const varnholt::bands::PrintedLabel& label : page.labels)
            cylinders += label.name == "CylinderLines" ? 1U : 0U;
    const varnholt::KeySchedule schedule = varnholt::ComputeKeySchedule(model.state);
    EXPECT_EQ(cylinders, static_cast<std::size_t>(
                             std::count_if(schedule.begin(), schedule.end(),
                                           [](const varnholt::ScheduledKey& key) { return key.listed; })));
    EXPECT_GT(cylinders, 100U);
    EXPECT_EQ(program->PinningPreview()->Document().title, "Varnholt Pinning List");
}

#include "ApplicationFixture.h"
#include "SampleReport.h"

#include "bands/TextOutput.h"
#include "qt/reports/PageView.h"
#include "qt/reports/PreviewWindow.h"
#include "qt/reports/SaveFlow.h"

#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <chrono>
#include <fstream>

namespace varnholt::qtreports {
namespace {

using PreviewWindowTest = ApplicationFixture;

void PressKey(QWidget& target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&target, &press);
}

TEST_F(PreviewWindowTest, NavigatesPagesAndShowsTheIndicator) {
    PreviewWindow window(SampleDocument(3));
    EXPECT_EQ(window.PageIndicatorText(), "Page 1 of 3");
    window.NextPage();
    window.NextPage();
    window.NextPage(); // stays on the last page
    EXPECT_EQ(window.CurrentPage(), 3);
    EXPECT_EQ(window.PageIndicatorText(), "Page 3 of 3");
    window.PreviousPage();
    EXPECT_EQ(window.PageIndicatorText(), "Page 2 of 3");
    window.FirstPage();
    window.PreviousPage();
    EXPECT_EQ(window.CurrentPage(), 1);
    window.LastPage();
    EXPECT_EQ(window.CurrentPage(), 3);
}

TEST_F(PreviewWindowTest, TheHookSeesTheWindowAndItsKeyHandlerGetsKeysFromTheChildren) {
    std::vector<std::pair<std::uint16_t, bool>> seen;
    bands::PreviewControl* hooked = nullptr;
    const bands::PreviewCreatedHook hook = [&](bands::PreviewControl* preview) {
        hooked = preview;
        preview->SetKeyPreview(true);
        preview->SetKeyDownHandler(
            [&seen](bands::PreviewControl& sender, std::uint16_t& key, keyboard::ShiftState shift) {
                seen.emplace_back(key, shift.Has(keyboard::Modifier::Ctrl));
                if (key == 34) {
                    sender.NextPage();
                    key = 0;
                }
            });
    };
    auto window = PreviewWindow::Show(SampleDocument(2), hook);
    EXPECT_EQ(hooked, window.get());
    PressKey(window->View(), Qt::Key_PageDown, Qt::ControlModifier);
    PressKey(*window->View().viewport(), Qt::Key_Up);
    EXPECT_EQ(seen, (std::vector<std::pair<std::uint16_t, bool>>{{34, true}, {38, false}}));
    EXPECT_EQ(window->CurrentPage(), 2);
}

TEST_F(PreviewWindowTest, ScrollRequestsArePostedAndThenMoveTheView) {
    PreviewWindow window(SampleDocument(1));
    window.resize(600, 500);
    window.show();
    window.View().SetZoom(ZoomMode::Percent, 200);
    QScrollBar& vertical = *window.View().verticalScrollBar();
    QScrollBar& horizontal = *window.View().horizontalScrollBar();
    ASSERT_GT(vertical.maximum(), 0);
    ASSERT_GT(horizontal.maximum(), 0);
    window.ScrollVertical({bands::ScrollCode::PageDown, 0});
    window.ScrollHorizontal({bands::ScrollCode::ThumbPosition, 2000});
    EXPECT_EQ(vertical.value(), 0) << "posted, not carried out at once";
    QApplication::processEvents();
    EXPECT_EQ(vertical.value(), vertical.pageStep());
    EXPECT_EQ(horizontal.value(), std::min(2000, horizontal.maximum()));
    window.ScrollVertical({bands::ScrollCode::LineUp, 0});
    window.ScrollHorizontal({bands::ScrollCode::ThumbPosition, 0});
    QApplication::processEvents();
    EXPECT_EQ(vertical.value(), vertical.pageStep() - vertical.singleStep());
    EXPECT_EQ(horizontal.value(), 0);
}

TEST_F(PreviewWindowTest, ALongReportOpensAsFastAsAShortOne) {
    // Opening means creating the window and drawing what is on screen; the document is handed
    // over, not copied.
    const auto openingTime = [](bands::Document document) {
        const auto start = std::chrono::steady_clock::now();
        PreviewWindow window(std::move(document));
        window.show();
        window.View().viewport()->repaint();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(window.CurrentPage(), 1);
        return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    };
    openingTime(SampleDocument(2)); // fonts and styles are loaded once
    const auto shortReport = openingTime(SampleDocument(2));
    const auto longReport = openingTime(SampleDocument(1400));
    // Generous bounds for a loaded machine; the benchmark measures it properly.
    EXPECT_LT(longReport, 3 * shortReport + 150)
        << "2 pages: " << shortReport << " ms, 1400 pages: " << longReport << " ms";
    EXPECT_LT(longReport, 300) << "the first page of 1,400 on screen";
    RecordProperty("FirstPageOf1400Milliseconds", std::to_string(longReport));
}

TEST_F(PreviewWindowTest, SaveAsPdfProposesTheSystemsNameAndAddsTheSuffix) {
    PreviewWindow window(SampleDocument(1));
    window.SetFileNameStem("Sample 6-pin 0-9 step 2 2026-12-09");
    EXPECT_EQ(window.ProposedPdfName(), QStringLiteral("Sample 6-pin 0-9 step 2 2026-12-09.pdf"));
    EXPECT_EQ(ProposedFileName("A/B: \"Lock\"  42", QStringLiteral(".pdf")),
              QStringLiteral("A-B Lock 42.pdf"));
    EXPECT_EQ(WithSuffix(QStringLiteral("/tmp/Smith Co. 246135"), QStringLiteral(".pdf")),
              QStringLiteral("/tmp/Smith Co. 246135.pdf"));
    EXPECT_EQ(WithSuffix(QStringLiteral("/tmp/report.PDF"), QStringLiteral(".pdf")),
              QStringLiteral("/tmp/report.PDF"));

    // Typed without a suffix over an existing "report.pdf": the question comes before anything is replaced.
    std::ofstream(folder / "report.pdf") << "old";
    QStringList asked;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&asked] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            EXPECT_EQ(dialog->selectedFiles().value(0).section(QChar('/'), -1), QStringLiteral("Sample.pdf"));
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("report"));
            QMetaObject::invokeMethod(dialog, "accept");
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            asked << box->text();
            box->button(QMessageBox::Yes)->click();
        }
    });
    driver.start(10);
    const auto chosen = ChooseFileToWrite(
        &window, QStringLiteral("Save as PDF"), QString::fromStdString(folder.string()),
        QStringLiteral("Sample.pdf"), QStringLiteral("PDF files (*.pdf)"), QStringLiteral(".pdf"));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, QString::fromStdString((folder / "report.pdf").string()));
    EXPECT_EQ(asked,
              QStringList{QStringLiteral("\"report.pdf\" already exists.\nDo you want to replace it?")});
}

TEST_F(PreviewWindowTest, ExportWritesTheChosenFormatUnderItsSuffix) {
    PreviewWindow window(SampleDocument(2));
    window.AddExportFormat({QStringLiteral("Key schedule (CSV)"), QStringLiteral(".csv"),
                            [] { return std::string("level,key\r\n"); }});
    const auto exportAs = [&window, this](const QString& filter, const QString& name) {
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialog->setDirectory(QString::fromStdString(folder.string()));
                dialog->selectNameFilter(filter);
                // As typed: selectFile leaves a name field that has the focus alone.
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
        driver.start(10);
        window.Export();
    };
    exportAs(QStringLiteral("Key schedule (CSV) (*.csv)"), QStringLiteral("schedule"));
    exportAs(QStringLiteral("Report as text (*.txt)"), QStringLiteral("report"));
    const auto read = [](const std::filesystem::path& file) {
        std::ifstream stream(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    };
    EXPECT_EQ(read(folder / "schedule.csv"), "level,key\r\n");
    EXPECT_EQ(read(folder / "report.txt"), bands::ToText(window.Document()));
}

TEST_F(PreviewWindowTest, SaveAsPdfKeepsTheModeOfTheFileItReplacesAndTakesAnyLegalName) {
    PreviewWindow window(SampleDocument(2));
    const std::filesystem::path shared = folder / "shared.pdf";
    std::ofstream(shared) << "old";
    using std::filesystem::perms;
    std::filesystem::permissions(shared, perms::owner_read | perms::owner_write | perms::group_read);
    ASSERT_TRUE(window.SavePdfTo(QString::fromStdString(shared.string())));
    EXPECT_EQ(std::filesystem::status(shared).permissions(),
              perms::owner_read | perms::owner_write | perms::group_read);
    std::ifstream stream(shared, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stream), {}).substr(0, 5), "%PDF-");
    // 255 bytes, the longest name the file system takes.
    const std::filesystem::path longest = folder / (std::string(251, 'r') + ".pdf");
    EXPECT_TRUE(window.SavePdfTo(QString::fromStdString(longest.string())));
    EXPECT_TRUE(std::filesystem::exists(longest));
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 2);
}

TEST_F(PreviewWindowTest, CancellingALongSaveLeavesTheOldFileAndNoOther) {
    PreviewWindow window(SampleDocument(1400));
    window.show();
    const std::filesystem::path target = folder / "report.pdf";
    std::ofstream(target) << "old";
    bool sawProgress = false;
    QTimer canceller;
    QObject::connect(&canceller, &QTimer::timeout, [&window, &sawProgress] {
        if (auto* progress = window.findChild<QProgressDialog*>(QStringLiteral("OutputProgress"))) {
            if (progress->value() > 0) { // part-way, whether or not it has shown yet
                sawProgress = true;
                progress->cancel();
            }
        }
    });
    canceller.start(20);
    EXPECT_FALSE(window.SavePdfTo(QString::fromStdString(target.string())));
    EXPECT_TRUE(sawProgress) << "the window kept handling events and showed the progress";
    std::ifstream stream(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stream), {}), "old");
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

// A laptop's screen: 1366 × 768, the offscreen platform configured to have it.
class SmallScreenTest : public ::testing::Test {
protected:
    SmallScreenTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() / (std::string("small-screen-") + info->name());
        std::filesystem::create_directories(folder);
        const std::filesystem::path config = folder / "screen.json";
        std::ofstream(config)
            << R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,)"
               R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        platform = "offscreen:configfile=" + config.string();
        argv[2] = platform.data();
        application = std::make_unique<QApplication>(argc, argv);
    }
    ~SmallScreenTest() override {
        application.reset();
        std::filesystem::remove_all(folder);
    }

    std::filesystem::path folder;
    std::string platform;
    int argc = 3;
    char name[16] = "qt_reports";
    char option[16] = "-platform";
    char* argv[4] = {name, option, nullptr, nullptr};
    std::unique_ptr<QApplication> application;
};

TEST_F(SmallScreenTest, ThePreviewOpensWhollyOnTheScreenWithItsToolBarAndRemembersItsLook) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1366, 768));
    QCoreApplication::setOrganizationName(QStringLiteral("VarnholtTest"));
    QCoreApplication::setApplicationName(QString::fromStdString(folder.filename().string()));
    QSettings().clear();
    QString zoomed;
    {
        auto window = PreviewWindow::Show(SampleDocument(3), {});
        window->RememberSettings();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        const QRect available = window->screen()->availableGeometry();
        EXPECT_TRUE(available.contains(window->frameGeometry()))
            << "frame height " << window->frameGeometry().height();
        auto* print = window->findChild<QToolButton*>(QStringLiteral("Print..."));
        ASSERT_NE(print, nullptr);
        EXPECT_TRUE(print->isVisible());
        EXPECT_TRUE(available.contains(QRect(print->mapToGlobal(QPoint(0, 0)), print->size())));

        const double wholePage = window->View().PixelsPerPoint();
        window->ZoomBy(1);
        EXPECT_GT(window->View().PixelsPerPoint(), wholePage);
        zoomed = window->findChild<QComboBox*>(QStringLiteral("zoom"))->currentText();
        window->SetPaper(bands::Paper::A4);
        window->resize(1000, 600);
        window->close();
    }
    auto again = PreviewWindow::Show(SampleDocument(3), {});
    again->RememberSettings();
    EXPECT_EQ(again->size(), QSize(1000, 600));
    EXPECT_EQ(again->Paper(), bands::Paper::A4);
    EXPECT_NEAR(again->Document().setup.paperWidth, 8.27, 0.01);
    EXPECT_EQ(again->findChild<QComboBox*>(QStringLiteral("zoom"))->currentText(), zoomed);
    QSettings().clear();
}

TEST_F(SmallScreenTest, AFurtherCopysPreviewLiesDownAndRightOfTheSavedPlaceAndStaysOnTheScreen) {
    auto window = PreviewWindow::Show(SampleDocument(3), {});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QRect available = window->screen()->availableGeometry();
    window->resize(600, 400);
    window->move(100, 100);
    const QPoint before = window->geometry().topLeft();
    window->MoveDownRight(64);
    EXPECT_EQ(window->geometry().topLeft(), before + QPoint(64, 64));
    EXPECT_EQ(window->size(), QSize(600, 400));
    // Where the screen has no room below, it is made smaller rather than left over the first.
    window->resize(600, available.height() - 200);
    const QPoint high = window->geometry().topLeft();
    window->MoveDownRight(32);
    EXPECT_EQ(window->geometry().topLeft(), high + QPoint(32, 32));
    EXPECT_TRUE(available.contains(window->frameGeometry()));
    window->MoveDownRight(5000);
    EXPECT_TRUE(available.contains(window->frameGeometry()));
}

} // namespace
} // namespace varnholt::qtreports
#include "ApplicationFixture.h"
#include "SampleReport.h"

#include "qt/reports/PageView.h"
#include "qt/reports/PreviewWindow.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <chrono>

namespace qtreports {
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
    window.NextPage();  // stays on the last page
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
        preview->SetKeyDownHandler([&seen](bands::PreviewControl& sender, std::uint16_t& key, bands::ShiftState shift) {
            seen.emplace_back(key, shift.ctrl);
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
    openingTime(SampleDocument(2));  // fonts and styles are loaded once
    const auto shortReport = openingTime(SampleDocument(2));
    const auto longReport = openingTime(SampleDocument(1400));
    // Generous bounds for a loaded machine; the benchmark measures it properly.
    EXPECT_LT(longReport, 3 * shortReport + 150) << "2 pages: " << shortReport << " ms, 1400 pages: " << longReport << " ms";
}

}  // namespace
}  // namespace qtreports

#include "ApplicationFixture.h"
#include "SampleReport.h"

#include "qt/reports/PageView.h"
#include "qt/reports/PreviewWindow.h"
#include "report/FrmAceKey.h"

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <memory>
#include <vector>

namespace varnholt::qtreports {
namespace {

// The preview as the program opens it: created through the hook with the real key handler, shown
// and given the keyboard.
class PreviewKeysTest : public ApplicationFixture {
protected:
    std::unique_ptr<PreviewWindow> Open(int pages) {
        auto window = PreviewWindow::Show(SampleDocument(pages), [this](bands::PreviewControl* preview) {
            HookPreviewKeys(keyHandler, preview);
        });
        window->activateWindow();
        QApplication::processEvents();
        return window;
    }

    TFrmAceKey keyHandler;
};

// Real key presses reach the window from the platform, which hands each one to the focused
// widget; every press is a fresh event, often at the address of the one before it.
void PressThroughTheWindow(PreviewWindow& window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

TEST_F(PreviewKeysTest, EveryPagingKeyCountsWhenPressedInARow) {
    const auto window = Open(6);
    ASSERT_EQ(QApplication::focusWidget(), &window->View());
    std::vector<int> pages;
    for (int press = 0; press < 4; ++press) {
        PressThroughTheWindow(*window, Qt::Key_PageDown, Qt::ShiftModifier);
        pages.push_back(window->CurrentPage());
    }
    EXPECT_EQ(pages, (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(window->PageIndicatorText().toStdString(), "Page 5 of 6");
    PressThroughTheWindow(*window, Qt::Key_PageUp, Qt::ShiftModifier);
    PressThroughTheWindow(*window, Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(window->CurrentPage(), 3);
}

TEST_F(PreviewKeysTest, FollowsTheKeyTableOneKeyAfterAnother) {
    const auto window = Open(5);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int page;
    };
    const std::vector<Step> steps{
        {Qt::Key_PageDown, Qt::ControlModifier, 5},
        {Qt::Key_PageUp, Qt::ShiftModifier, 4},
        {Qt::Key_PageDown, Qt::ShiftModifier, 5},
        {Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier, 1}, // Ctrl wins over Shift
        {Qt::Key_PageDown, Qt::ShiftModifier, 2},
        {Qt::Key_PageUp, Qt::ControlModifier, 1},
    };
    for (const Step& step : steps) {
        PressThroughTheWindow(*window, step.key, step.modifiers);
        EXPECT_EQ(window->CurrentPage(), step.page) << "after key " << step.key << " with " << step.modifiers;
    }
}

TEST_F(PreviewKeysTest, KeysSentStraightToTheFocusedViewCountEveryTime) {
    const auto window = Open(4);
    for (int press = 0; press < 3; ++press) {
        QTest::keyClick(&window->View(), Qt::Key_PageDown, Qt::ShiftModifier);
    }
    EXPECT_EQ(window->CurrentPage(), 4);
}

TEST_F(PreviewKeysTest, PageDownScrollsExactlyOnePageAndKeepsThePage) {
    const auto window = Open(3);
    window->View().SetZoom(ZoomMode::Percent, 400);
    QApplication::processEvents();
    QScrollBar& vertical = *window->View().verticalScrollBar();
    ASSERT_GT(vertical.maximum(), 2 * vertical.pageStep());
    for (int press = 1; press <= 2; ++press) {
        PressThroughTheWindow(*window, Qt::Key_PageDown, Qt::NoModifier);
        QApplication::processEvents();
        EXPECT_EQ(vertical.value(), press * vertical.pageStep()) << "press " << press;
    }
    PressThroughTheWindow(*window, Qt::Key_Down, Qt::NoModifier);
    PressThroughTheWindow(*window, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::processEvents();
    EXPECT_EQ(vertical.value(), vertical.pageStep() + vertical.singleStep());
    EXPECT_EQ(window->CurrentPage(), 1);
}

TEST_F(PreviewKeysTest, AKeyTheHandlerPassesReachesItOnceAndTheNextKeyStillCounts) {
    int calls = 0;
    auto window = PreviewWindow::Show(SampleDocument(3), [this, &calls](bands::PreviewControl* preview) {
        preview->SetKeyPreview(true);
        preview->SetKeyDownHandler(
            [this, &calls](bands::PreviewControl& sender, std::uint16_t& key, keyboard::ShiftState shift) {
                ++calls;
                keyHandler.FormKeyDown(sender, key, shift);
            });
    });
    window->activateWindow();
    QApplication::processEvents();
    PressThroughTheWindow(*window, Qt::Key_End, Qt::ShiftModifier); // passes: nobody takes it
    EXPECT_EQ(calls, 1);
    PressThroughTheWindow(*window, Qt::Key_PageDown, Qt::ShiftModifier);
    PressThroughTheWindow(*window, Qt::Key_End, Qt::ShiftModifier);
    PressThroughTheWindow(*window, Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(window->CurrentPage(), 3);
}

TEST_F(PreviewKeysTest, AKeyTheHandlerPassesStillReachesTheFocusedChild) {
    int calls = 0;
    auto window = PreviewWindow::Show(SampleDocument(1), [&calls](bands::PreviewControl* preview) {
        preview->SetKeyPreview(true);
        preview->SetKeyDownHandler(
            [&calls](bands::PreviewControl&, std::uint16_t&, keyboard::ShiftState) { ++calls; });
    });
    window->activateWindow();
    QApplication::processEvents();
    window->View().SetZoom(ZoomMode::Percent, 400);
    QApplication::processEvents(); // the scroll bars appear and the view shrinks
    QScrollBar& vertical = *window->View().verticalScrollBar();
    PressThroughTheWindow(*window, Qt::Key_PageDown, Qt::NoModifier);
    PressThroughTheWindow(*window, Qt::Key_PageDown, Qt::NoModifier);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(vertical.value(), 2 * vertical.pageStep()) << "the view's own scrolling, once per key";
}

TEST_F(PreviewKeysTest, TheWheelAndPageDownMoveThroughThePagesOneUnderAnother) {
    const auto window = Open(3);
    QWidget& viewport = *window->View().viewport();
    QScrollBar& vertical = *window->View().verticalScrollBar();
    ASSERT_GT(vertical.maximum(), vertical.pageStep()) << "all three pages in one scrolled view";
    for (int notch = 0; notch < 40 && window->CurrentPage() == 1; ++notch) {
        QWheelEvent wheel(QPointF(50, 50), viewport.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&viewport, &wheel);
    }
    EXPECT_EQ(window->CurrentPage(), 2);
    EXPECT_EQ(window->PageIndicatorText().toStdString(), "Page 2 of 3");

    window->FirstPage();
    PressThroughTheWindow(*window, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::processEvents();
    EXPECT_EQ(vertical.value(), vertical.pageStep());
    EXPECT_EQ(window->PageIndicatorText().toStdString(), "Page 2 of 3");

    // Passed on by the handler, Ctrl+End and Ctrl+Home reach the window; Ctrl+wheel zooms.
    PressThroughTheWindow(*window, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(window->CurrentPage(), 3);
    PressThroughTheWindow(*window, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(window->CurrentPage(), 1);
    const double before = window->View().PixelsPerPoint();
    QWheelEvent zoom(QPointF(50, 50), viewport.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                     Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&viewport, &zoom);
    EXPECT_GT(window->View().PixelsPerPoint(), before);
    PressThroughTheWindow(*window, Qt::Key_Minus, Qt::ControlModifier);
    PressThroughTheWindow(*window, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(window->View().PixelsPerPoint(), before);
}

TEST_F(PreviewKeysTest, EscapeClosesThePreview) {
    const auto window = Open(2);
    ASSERT_TRUE(window->isVisible());
    PressThroughTheWindow(*window, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace varnholt::qtreports
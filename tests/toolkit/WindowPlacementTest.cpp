#include "TestForm.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/WindowPlacement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace varnholt::toolkit {
namespace {

// The position nearest the wanted one along one axis among all from which the frame lies inside
// the area; the area's start when there is none.
int NearestInside(int wanted, int start, int length, int frameLength) {
    int best = start;
    bool found = false;
    for (int position = start - 50; position <= start + length + 50; ++position) {
        if (position < start || position + frameLength > start + length) {
            continue;
        }
        if (!found || std::abs(position - wanted) < std::abs(best - wanted)) {
            best = position;
            found = true;
        }
    }
    return best;
}

TEST(WindowPlacement, AFrameMovesTheLeastThatPutsItInsideOrStartsAtTheAreasEdgeWhenTooLarge) {
    std::mt19937 random(20261209);
    const auto draw = [&random](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(random);
    };
    for (int trial = 0; trial < 2000; ++trial) {
        const ScreenArea area{draw(-20, 40), draw(-20, 40), draw(100, 400), draw(100, 300)};
        const WindowFrame frame{draw(0, 10), draw(0, 40)};
        const int width = draw(20, 450);
        const int height = draw(20, 350);
        const FramePosition wanted{draw(-200, 600), draw(-200, 500)};
        const FramePosition kept = KeptInArea(wanted, width, height, area, frame);
        EXPECT_EQ(kept.left, NearestInside(wanted.left, area.left, area.width, width + frame.width));
        EXPECT_EQ(kept.top, NearestInside(wanted.top, area.top, area.height, height + frame.height));
        // The title bar is never above the area, however tall the window.
        EXPECT_GE(kept.top, area.top);
    }
}

TEST(WindowPlacement, EachFurtherCopyIsCascadedWhileTheAreaHasRoomAndStaysInsideIt) {
    const ScreenArea laptop{0, 0, 1366, 768};
    const WindowFrame frame{2, 25};
    const FramePosition first = CentredInArea(775, 546, laptop, frame, 0);
    EXPECT_EQ(first, (FramePosition{(1366 - 777) / 2, (768 - 571) / 2}));
    // 99 pixels of room below the middle: three steps, then the fourth copy starts again there.
    for (int copy = 1; copy <= 3; ++copy) {
        EXPECT_EQ(CentredInArea(775, 546, laptop, frame, copy),
                  (FramePosition{first.left + copy * CascadeStep, first.top + copy * CascadeStep}));
    }
    EXPECT_EQ(CentredInArea(775, 546, laptop, frame, 4), first);
    // At 125 % the screen has 1093 x 614 pixels: less room than one step, so the copy goes as far
    // as there is and stays wholly on the screen.
    const ScreenArea scaled{0, 0, 1093, 614};
    const FramePosition scaledFirst = CentredInArea(775, 546, scaled, frame, 0);
    const FramePosition scaledSecond = CentredInArea(775, 546, scaled, frame, 1);
    EXPECT_EQ(scaledSecond.top, 614 - 571);
    EXPECT_EQ(scaledSecond.left - scaledFirst.left, scaledSecond.top - scaledFirst.top);
    EXPECT_GT(scaledSecond.top, scaledFirst.top);
}

TEST(WindowPlacement, AFormTallerThanTheScreenIsShownWithItsTitleBarAtTheTop) {
    TestDialog dialog;
    Application& application = dialog.application;
    application.SetScreenArea({0, 30, 1093, 584}); // a panel takes the screen's top 30 pixels
    application.SetWindowFrame({2, 25});
    Form& form = dialog.form;
    form.SetClientSize(822, 616);
    // Centred over a main window as the "Data Input" dialog is: its top would be above the screen.
    form.SetPosition(135, -12);
    form.Show();
    EXPECT_EQ(form.Top(), 30);
    EXPECT_EQ(form.Left(), 135);
    application.SetCopyNumber(1);
    form.SetClientSize(400, 300);
    form.SetCentredOnScreen(true);
    form.Show();
    const FramePosition alone = CentredInArea(400, 300, application.Screen(), application.Frame(), 0);
    EXPECT_EQ(form.Left(), alone.left + CascadeStep);
    EXPECT_EQ(form.Top(), alone.top + CascadeStep);
}

} // namespace
} // namespace varnholt::toolkit

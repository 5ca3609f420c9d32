#include "multi_frame_view.h"

#include <gtest/gtest.h>

#include <QTest>
#include <vector>

#include "support/test_images.h"

namespace kavrell::ui {
namespace {

class MultiFrameViewTest : public ::testing::Test {
protected:
    // Frames of one colour each, red growing with the index.
    void AddFrames(int count, int width, int height, int delayMs) {
        for (int i = 0; i < count; ++i) {
            frames.SetImageDelayTime(frames.AppendImage(test::SolidBitmap(width, height, 20 * i, 100, 200)),
                                     delayMs);
        }
    }
    void Show() {
        view.resize(324, 124);
        view.SetThumbWidth(300);
        view.SetThumbHeight(100);
        view.SetOnImageDraw([this](int32_t index) { drawn.push_back(index); });
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    FrameList frames;
    MultiFrameView view{frames};
    std::vector<int32_t> drawn;
};

TEST_F(MultiFrameViewTest, ShowsTheWholeFrameInTheMiddleOfItsCell) {
    // A frame twice as large as the cell, with a different colour in each quadrant.
    Bitmap large(600, 200);
    for (int32_t y = 0; y < 200; ++y) {
        for (int32_t x = 0; x < 600; ++x) {
            uint8_t* pixel = large.Pixel(x, y);
            pixel[0] = x < 300 ? 250 : 0;
            pixel[1] = y < 100 ? 250 : 0;
            pixel[2] = 90;
        }
    }
    frames.AppendImage(test::SolidBitmap(60, 40, 10, 200, 30));
    frames.AppendImage(large);
    Show();
    EXPECT_EQ(view.CellRect(), QRect(12, 12, 300, 100));

    view.SetVisibleFrame(0);
    QImage screen = view.grab().toImage();
    EXPECT_EQ(view.FrameRect(), QRect(132, 42, 60, 40));  // its own size, centred
    EXPECT_EQ(screen.pixelColor(162, 62), QColor(10, 200, 30));
    EXPECT_EQ(screen.pixelColor(162, 30), view.palette().color(QPalette::Window));

    view.SetVisibleFrame(1);
    screen = view.grab().toImage();
    EXPECT_EQ(view.FrameRect(), QRect(12, 12, 300, 100));  // scaled down to fit
    EXPECT_EQ(screen.pixelColor(80, 35), QColor(250, 250, 90));
    EXPECT_EQ(screen.pixelColor(240, 35), QColor(0, 250, 90));
    EXPECT_EQ(screen.pixelColor(80, 90), QColor(250, 0, 90));
    EXPECT_EQ(screen.pixelColor(240, 90), QColor(0, 0, 90));
}

TEST_F(MultiFrameViewTest, SettingTheVisibleFrameDrawsItAndReportsIt) {
    AddFrames(3, 40, 30, 100);
    Show();
    view.SetVisibleFrame(2);
    view.SetVisibleFrame(2);
    view.SetVisibleFrame(99);
    view.SetVisibleFrame(-4);
    EXPECT_EQ(drawn, (std::vector<int32_t>{2, 2, 2, 0}));
    EXPECT_EQ(view.VisibleFrame(), 0);
    EXPECT_EQ(view.grab().toImage().pixelColor(162, 62), QColor(0, 100, 200));
}

TEST_F(MultiFrameViewTest, PlaysEveryFrameInTurnAndLoopsBackToTheFirst) {
    // Frames without a display time still advance.
    for (int delay : {0, 30}) {
        SCOPED_TRACE(delay);
        frames.Clear();
        AddFrames(4, 40, 30, delay);
        Show();
        view.SetPlayLoop(true);
        view.SetVisibleFrame(0);
        drawn.clear();
        view.SetPlaying(true);
        EXPECT_TRUE(view.Playing());
        QTRY_VERIFY_WITH_TIMEOUT(drawn.size() >= 6, 5000);
        view.SetPlaying(false);
        EXPECT_EQ(std::vector<int32_t>(drawn.begin(), drawn.begin() + 6),
                  (std::vector<int32_t>{1, 2, 3, 0, 1, 2}));

        const size_t stopped = drawn.size();
        QTest::qWait(100);
        EXPECT_EQ(drawn.size(), stopped) << "nothing is drawn after playback stops";
    }
}

TEST_F(MultiFrameViewTest, WithoutLoopingPlaybackStopsOnTheLastFrame) {
    AddFrames(3, 40, 30, 0);
    Show();
    view.SetVisibleFrame(0);
    view.SetPlaying(true);
    QTRY_VERIFY_WITH_TIMEOUT(!view.Playing(), 5000);
    EXPECT_EQ(view.VisibleFrame(), 2);
}

}  // namespace
}  // namespace kavrell::ui

#include "morph_player_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "flat_panel.h"
#include "multi_frame_view.h"
#include "speed_button.h"
#include "support/generation_session.h"
#include "support/recording_dialog.h"
#include "support/test_images.h"
#include "support/warp_records.h"
#include "track_bar.h"
#include "widget_testing.h"

namespace kavrell::ui {
namespace {

using test::WhenShown;

// The player's controls, found by name as a user would find them by sight.
struct PlayerControls {
    explicit PlayerControls(TfrmMorphPlayer& player)
        : view(player.findChild<MultiFrameView*>(QStringLiteral("VA_MView"))),
          track(player.findChild<TxTrackBar*>(QStringLiteral("VA_track"))),
          label(player.findChild<QLabel*>(QStringLiteral("VA_lab"))),
          play(player.findChild<SpeedButton*>(QStringLiteral("VA_play"))),
          save(player.findChild<SpeedButton*>(QStringLiteral("lbSaveClose"))),
          top(player.findChild<FlatPanel*>(QStringLiteral("panTop"))) {}
    MultiFrameView* view;
    TxTrackBar* track;
    QLabel* label;
    SpeedButton* play;
    SpeedButton* save;
    FlatPanel* top;
};

void AddFrames(FrameList& frames, int count, int width, int height, int delayMs) {
    for (int i = 0; i < count; ++i) {
        frames.SetImageDelayTime(frames.AppendImage(test::SolidBitmap(width, height, 20 * i, 90, 160)),
                                 delayMs);
    }
}

TEST(MorphPlayerTest, SizesTheCellAndTheWindowToTheFrames) {
    struct Case {
        int frameWidth, frameHeight;
        QSize screen;
        bool preview;
        QSize cell, client;
    };
    const Case cases[] = {
        {64, 48, {1280, 1024}, false, {300, 100}, {324, 228}},
        {1920, 1080, {1280, 1024}, false, {1060, 804}, {1084, 932}},
        {200, 150, {1280, 1024}, true, {300, 150}, {324, 278}},
        {640, 480, {400, 300}, false, {180, 80}, {204, 208}},  // the maximum wins over the minimum
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.frameWidth) + " x " + std::to_string(c.frameHeight));
        FrameList frames;
        AddFrames(frames, 3, c.frameWidth, c.frameHeight, 100);
        TfrmMorphPlayer player(frames, nullptr, c.screen);
        EXPECT_EQ(player.Limits().maxCellWidth, c.screen.width() - 220);
        WhenShown<TfrmMorphPlayer>([&](TfrmMorphPlayer& shown) {
            EXPECT_EQ(&shown, &player);
            PlayerControls controls(shown);
            EXPECT_EQ(QSize(controls.view->ThumbWidth(), controls.view->ThumbHeight()), c.cell);
            EXPECT_EQ(shown.size(), c.client);
            EXPECT_EQ(shown.pos(), QPoint((c.screen.width() - shown.frameGeometry().width()) / 2,
                                          (c.screen.height() - shown.frameGeometry().height()) / 2 + 1));
            EXPECT_EQ(shown.windowTitle(), QStringLiteral("Morph output"));
            EXPECT_EQ(controls.save->isVisible(), !c.preview);
            EXPECT_EQ(controls.top->Caption(), QStringLiteral("Preview mode"));
            // The cell lies inside the view with room to spare.
            EXPECT_TRUE(controls.view->rect().contains(controls.view->CellRect()));
            shown.close();
        });
        EXPECT_EQ(player.ShowModal(c.preview), TfrmMorphPlayer::kCancelResult);
    }
}

TEST(MorphPlayerTest, ShowsFrameZeroThenFollowsTheTrackBar) {
    FrameList frames;
    AddFrames(frames, 12, 64, 48, 100);
    TfrmMorphPlayer player(frames, nullptr, {1280, 1024});
    WhenShown<TfrmMorphPlayer>([](TfrmMorphPlayer& shown) {
        PlayerControls controls(shown);
        EXPECT_EQ(controls.track->minimum(), 0);
        EXPECT_EQ(controls.track->maximum(), 11);
        EXPECT_EQ(controls.label->text(), QStringLiteral("0"));
        EXPECT_EQ(controls.view->VisibleFrame(), 0);

        // Drag the handle from frame 0 to frame 5.
        const int middle = controls.track->height() / 2;
        QTest::mousePress(controls.track, Qt::LeftButton, {}, QPoint(controls.track->PositionOf(0), middle));
        QTest::mouseMove(controls.track, QPoint(controls.track->PositionOf(3), middle));
        QTest::mouseMove(controls.track, QPoint(controls.track->PositionOf(5), middle));
        QTest::mouseRelease(controls.track, Qt::LeftButton, {},
                            QPoint(controls.track->PositionOf(5), middle));
        EXPECT_EQ(controls.track->value(), 5);
        EXPECT_EQ(controls.view->VisibleFrame(), 5);
        EXPECT_EQ(controls.label->text(), QStringLiteral("5"));
        // The frame on screen is frame 5, whose red is 100.
        const QRect frame = controls.view->FrameRect();
        EXPECT_EQ(controls.view->grab().toImage().pixelColor(frame.center()), QColor(100, 90, 160));

        QTest::mouseClick(shown.findChild<SpeedButton*>(QStringLiteral("VA_end")), Qt::LeftButton);
        EXPECT_EQ(controls.track->value(), 11);
        EXPECT_EQ(controls.label->text(), QStringLiteral("11"));
        QTest::mouseClick(shown.findChild<SpeedButton*>(QStringLiteral("VA_begin")), Qt::LeftButton);
        EXPECT_EQ(controls.track->value(), 0);
        EXPECT_EQ(controls.label->text(), QStringLiteral("0"));
        QTest::mouseClick(controls.save, Qt::LeftButton);
    });
    EXPECT_EQ(player.ShowModal(false), TfrmMorphPlayer::kSaveResult);
}

TEST(MorphPlayerTest, PlaybackMovesBarAndLabelAndWrapsUntilClosed) {
    FrameList frames;
    AddFrames(frames, 12, 64, 48, 10);
    TfrmMorphPlayer player(frames, nullptr, {1280, 1024});
    std::vector<int> shownFrames;
    WhenShown<TfrmMorphPlayer>([&shownFrames](TfrmMorphPlayer& shown) {
        PlayerControls controls(shown);
        QTest::mouseClick(controls.play, Qt::LeftButton);
        EXPECT_TRUE(controls.play->Down());
        EXPECT_TRUE(controls.view->Playing());
        // Watch every frame until playback has gone past the last one twice.
        int wraps = 0;
        int last = 0;
        for (int step = 0; step < 2000 && wraps < 2; ++step) {
            QTest::qWait(2);
            const int now = controls.view->VisibleFrame();
            if (now == last) continue;
            shownFrames.push_back(now);
            EXPECT_EQ(controls.track->value(), now);
            EXPECT_EQ(controls.label->text(), QString::number(now));
            if (now < last) ++wraps;
            last = now;
        }
        EXPECT_EQ(wraps, 2);

        shown.close();
        EXPECT_FALSE(controls.view->Playing());
        EXPECT_FALSE(controls.play->Down());
        const int stoppedAt = controls.view->VisibleFrame();
        QTest::qWait(100);
        EXPECT_EQ(controls.view->VisibleFrame(), stoppedAt);
    });
    EXPECT_EQ(player.ShowModal(false), TfrmMorphPlayer::kCancelResult);
    // Every wrap went from frame 11 to frame 0.
    for (size_t i = 1; i < shownFrames.size(); ++i) {
        if (shownFrames[i] < shownFrames[i - 1]) {
            EXPECT_EQ(shownFrames[i - 1], 11);
            EXPECT_EQ(shownFrames[i], 0);
        }
    }

    // The next show starts stopped, on frame 0.
    WhenShown<TfrmMorphPlayer>([](TfrmMorphPlayer& shown) {
        PlayerControls controls(shown);
        EXPECT_FALSE(controls.view->Playing());
        EXPECT_EQ(controls.label->text(), QStringLiteral("0"));
        QTest::mouseClick(controls.save, Qt::LeftButton);
    });
    EXPECT_EQ(player.ShowModal(false), TfrmMorphPlayer::kSaveResult);
}

TEST(MorphPlayerTest, EscapeEndsWithCancel) {
    FrameList frames;
    AddFrames(frames, 2, 64, 48, 10);
    TfrmMorphPlayer player(frames, nullptr, {1280, 1024});
    WhenShown<TfrmMorphPlayer>([](TfrmMorphPlayer& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
    EXPECT_EQ(player.ShowModal(false), TfrmMorphPlayer::kCancelResult);
}

// A generated 12-frame morph of two small synthetic images, shown in both modes.
TEST(MorphPlayerScreenshot, ShowsAGeneratedSequence) {
    const Bitmap source = test::GradientBitmap(240, 180);
    const Bitmap destination = test::SolidBitmap(240, 180, 230, 120, 40);
    test::GenerationSession generation(source, destination, false);
    test::LayRegularMesh(generation.Warp(), 240, 180, 3, 3);
    generation.Warp().dstNodes[2][2] = {150, 60};  // pull the middle of the mesh up and right
    test::RecordingDialog dialog;

    for (const bool preview : {false, true}) {
        ASSERT_TRUE(generation.Generate(12, 10, preview));
        ASSERT_EQ(generation.frames.Count(), 12);
        TfrmMorphPlayer player(generation.frames, nullptr, {1280, 1024});
        WhenShown<TfrmMorphPlayer>([preview](TfrmMorphPlayer& shown) {
            PlayerControls controls(shown);
            controls.track->setValue(6);
            QApplication::processEvents();
            const std::string path = test::SaveScreenshot(
                shown, preview ? QStringLiteral("player-preview") : QStringLiteral("player"));
            EXPECT_FALSE(QImage(QString::fromStdString(path)).isNull()) << path;
            shown.close();
        });
        player.ShowModal(preview);
    }
    EXPECT_TRUE(dialog.shown.empty());
}

}  // namespace
}  // namespace kavrell::ui

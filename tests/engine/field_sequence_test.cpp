// The field method through the sequence driver: frame schedule, blend
// percentages, progress and failures.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/field_warp.h"
#include "morph/messages.h"
#include "morph/sequence_driver.h"
#include "morph/session.h"
#include "morph/warp_state.h"
#include "platform/image_processor.h"
#include "support/generation_session.h"
#include "support/recording_dialog.h"
#include "support/test_images.h"
#include "support/warp_records.h"

namespace kavrell {
namespace {

using test::RecordingDialog;
using test::SolidBitmap;

// Channel 0 (or 1) = 4x: a sample at column X reads 4X, so a frame shows by
// how many columns it was moved.
Bitmap ColumnRamp(int32_t width, int32_t height, int channel) {
    Bitmap bitmap(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) bitmap.Pixel(x, y)[channel] = static_cast<uint8_t>(4 * x);
    }
    return bitmap;
}

class FieldSequenceTest : public ::testing::Test, public test::GenerationSession {
protected:
    void Prepare(bool warpOnly, const Bitmap& source, const Bitmap& destination, int32_t frameCount) {
        Open(source, destination, warpOnly);
        Warp().method = WarpMethod::Field;
        session.FrameCount = frameCount;
        session.FrameDelay = 10;
    }
    void AddPoint(Point32 source, Point32 destination) { test::AddPointPair(Warp(), source, destination); }
    void AddBreak() { test::AddLineBreak(Warp()); }
    // A vertical line over the whole height at column sourceX in the source
    // image and destinationX in the destination image.
    void AddVerticalPair(int32_t sourceX, int32_t destinationX) {
        AddPoint({sourceX, 0}, {destinationX, 0});
        AddPoint({sourceX, session.ImageHeight - 1}, {destinationX, session.ImageHeight - 1});
    }
    void ExpectFailureReported() {
        ASSERT_EQ(dialog.shown.size(), 1u);
        EXPECT_EQ(dialog.shown[0].code, kMsgGenerationFailed);
        EXPECT_EQ(dialog.shown[0].text,
                  "Error generating morphing sequence. Possible reason: control points overlaping!");
        EXPECT_EQ(gauge.Progress(), 100);
    }

    RecordingDialog dialog;
};

TEST_F(FieldSequenceTest, TwelveFramesOfFullMorphingBlendTheWarpedSourceDownByNinePercent) {
    // Solid images stay solid under any warp, so each frame shows its blend:
    // 200 x p / 100 + 0 = 2p.
    Prepare(false, SolidBitmap(24, 16, 200, 200, 200), SolidBitmap(24, 16, 0, 0, 0), 12);
    AddPoint({2, 2}, {5, 3});
    AddPoint({20, 15}, {18, 12});

    ASSERT_TRUE(Generate());
    EXPECT_TRUE(dialog.shown.empty());
    ASSERT_EQ(frames.Count(), 12);
    const int percents[] = {90, 81, 72, 63, 54, 45, 36, 27, 18, 9};
    EXPECT_EQ(frames.Frame(0), left.Image());
    for (int32_t i = 1; i <= 10; ++i) {
        EXPECT_EQ(frames.Frame(i),
                  SolidBitmap(24, 16, 2 * percents[i - 1], 2 * percents[i - 1], 2 * percents[i - 1]))
            << "frame " << i;
    }
    EXPECT_EQ(frames.Frame(11), right.Image());
    for (int32_t i = 0; i < 12; ++i) EXPECT_EQ(frames.DelayMs(i), 100);
    EXPECT_EQ(readings, (std::vector<int32_t>{9, 18, 27, 36, 45, 54, 63, 72, 81, 90, 99, 100}));
}

TEST_F(FieldSequenceTest, TwelveFramesWarpOnlyMoveTheSourceByTwelfthsWithoutBlending) {
    // The line moves 10 columns; frame k puts it trunc(10k / 12) columns on.
    // The destination image differs only to show that nothing blends it in.
    Prepare(true, ColumnRamp(40, 8, 0), SolidBitmap(40, 8, 77, 77, 77), 12);
    AddVerticalPair(12, 22);

    ASSERT_TRUE(Generate());
    EXPECT_TRUE(dialog.shown.empty());
    ASSERT_EQ(frames.Count(), 12);
    EXPECT_EQ(frames.Frame(0), left.Image());
    const int32_t shifts[] = {0, 1, 2, 3, 4, 5, 5, 6, 7, 8, 9};
    for (int32_t k = 1; k <= 11; ++k) {
        const Bitmap& frame = frames.Frame(k);
        for (int32_t y = 0; y < 8; ++y) {
            for (int32_t x = 12; x <= 35; ++x) {
                // Sampled at x - shift + 0.5: the mean of two neighbouring columns.
                const uint8_t* p = frame.Pixel(x, y);
                EXPECT_EQ(p[0], 4 * (x - shifts[k - 1]) + 2) << "frame " << k << " at " << x << ", " << y;
                EXPECT_EQ(p[1], 0);
                EXPECT_EQ(p[2], 0);
            }
        }
    }
    for (int32_t i = 0; i < 12; ++i) EXPECT_EQ(frames.DelayMs(i), 100);
    // Twelve steps of 9 reach 100 before the driver sets it.
    EXPECT_EQ(readings, (std::vector<int32_t>{9, 18, 27, 36, 45, 54, 63, 72, 81, 90, 99, 100, 100}));
}

TEST_F(FieldSequenceTest, FullMorphingWarpsBothImagesOntoTheSameInterpolatedLines) {
    // Five frames: in-between frames at t = 1/4, 2/4, 3/4 with p = 75, 50, 25.
    // The source ramp is in channel 0, the destination ramp in channel 1. The
    // line lies at column 12 in the source and 20 in the destination, so at
    // t = k/4 both warps put it on column 12 + 2k: the source is sampled 2k
    // columns left, the destination 8 - 2k columns right.
    Prepare(false, ColumnRamp(40, 8, 0), ColumnRamp(40, 8, 1), 5);
    AddVerticalPair(12, 20);

    ASSERT_TRUE(Generate());
    ASSERT_EQ(frames.Count(), 5);
    for (int32_t k = 1; k <= 3; ++k) {
        const int32_t p = 100 - 25 * k;
        const Bitmap& frame = frames.Frame(k);
        for (int32_t y = 0; y < 8; ++y) {
            for (int32_t x = 6; x <= 28; ++x) {
                const int32_t warpedSource = 4 * (x - 2 * k) + 2;
                const int32_t warpedDestination = 4 * (x + 8 - 2 * k) + 2;
                // The blend rounds to nearest with halves up.
                const uint8_t* pixel = frame.Pixel(x, y);
                EXPECT_EQ(pixel[0], (warpedSource * p + 50) / 100)
                    << "frame " << k << " at " << x << ", " << y;
                EXPECT_EQ(pixel[1], (warpedDestination * (100 - p) + 50) / 100)
                    << "frame " << k << " at " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(frames.Frame(4), right.Image());
}

TEST_F(FieldSequenceTest, PreviewConvertsThePointsWithTheFullSizeImageHeight) {
    // 400 x 300 previews at 200 x 150 (scale 0.5). The line turns a quarter
    // about its start, so where that start lies in the working image matters.
    const Bitmap source = test::GradientBitmap(400, 300);
    Prepare(true, source, source, 2);
    session.PreviewMode = true;
    AddPoint({100, 40}, {100, 40});
    AddPoint({100, 240}, {300, 40});

    ASSERT_TRUE(Generate());
    ASSERT_EQ(frames.Count(), 2);
    // Rows from the bottom: trunc((299 - 40) x 0.5) = 129, trunc((299 - 240) x 0.5) = 29.
    const WarpLine from = MakeWarpLine(50, 129, 50, 29);
    const WarpLine to = MakeWarpLine(50, 129, 150, 129);
    Bitmap work;
    ResampleTo(source, work, 200, 150);
    Bitmap expected(200, 150);
    FieldWarpImage(work.LastRow(), expected.LastRow(), &from, 0.5, 200, 150, 1, &to, work.RowStride());
    EXPECT_EQ(frames.Frame(1), expected);
}

TEST_F(FieldSequenceTest, NoLinePairFailsAtTheFirstInBetweenFrame) {
    // Two single points separated by a break form no line.
    Prepare(false, SolidBitmap(20, 10, 50, 60, 70), SolidBitmap(20, 10, 1, 2, 3), 12);
    AddPoint({3, 3}, {4, 4});
    AddBreak();
    AddPoint({9, 9}, {8, 8});

    EXPECT_FALSE(Generate());
    ExpectFailureReported();
    ASSERT_EQ(frames.Count(), 1);
    EXPECT_EQ(frames.Frame(0), left.Image());
    EXPECT_EQ(readings, (std::vector<int32_t>{9, 100}));
}

TEST_F(FieldSequenceTest, ALineThatShrinksToOnePixelFailsThereAndKeepsTheFramesBefore) {
    // The destination line is the source line turned end for end: at t = 1/4
    // it still spans columns 2 to 7, at t = 1/2 both ends lie on column 5.
    Prepare(false, SolidBitmap(20, 10, 50, 60, 70), SolidBitmap(20, 10, 1, 2, 3), 5);
    AddPoint({0, 3}, {10, 3});
    AddPoint({10, 3}, {0, 3});

    EXPECT_FALSE(Generate());
    ExpectFailureReported();
    ASSERT_EQ(frames.Count(), 2);  // the source and the frame at t = 1/4; no destination
    EXPECT_EQ(frames.Frame(0), left.Image());
    EXPECT_EQ(readings, (std::vector<int32_t>{20, 40, 100}));
}

TEST_F(FieldSequenceTest, PointsFarOutsideTheImageRunWithoutOverflow) {
    // The undefined-behaviour sanitizer sees any signed overflow on the way.
    for (const bool preview : {false, true}) {
        SCOPED_TRACE(preview ? "preview" : "full size");
        Prepare(false, test::GradientBitmap(20, 10), SolidBitmap(20, 10, 9, 9, 9), 4);
        session.PreviewMode = preview;  // 200 x 100: the points are scaled up ten times
        AddPoint({-1'000'000'000, 1'000'000'000}, {1'000'000'000, -1'000'000'000});
        AddPoint({EmptySlot - 1, -1'000'000'000}, {INT32_MIN, INT32_MAX});
        AddPoint({3, 4}, {INT32_MAX, INT32_MIN});
        AddBreak();
        AddPoint({2, 2}, {3, 3});
        AddPoint({15, 8}, {14, 7});

        EXPECT_TRUE(Generate());
        EXPECT_TRUE(dialog.shown.empty());
        EXPECT_EQ(frames.Count(), 4);
    }
}

}  // namespace
}  // namespace kavrell

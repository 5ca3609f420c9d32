#include "morph/sequence_driver.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/image_processor.h"
#include "support/generation_session.h"
#include "support/recording_dialog.h"
#include "support/test_images.h"
#include "support/warp_records.h"

namespace kavrell {
namespace {

using test::GradientBitmap;
using test::LayRegularMesh;
using test::RecordingDialog;
using test::SolidBitmap;

// A session over two images of one size, with an identity mesh.
class SequenceDriverTest : public ::testing::Test, public test::GenerationSession {
protected:
    void Open(const Bitmap& source, const Bitmap& destination, bool warpOnly) {
        GenerationSession::Open(source, destination, warpOnly);
        LayRegularMesh(Warp(), source.Width(), source.Height(), 3, 2);
    }
};

TEST(ProgressStepTest, IsTheCeilingOfTheShare) {
    EXPECT_EQ(ProgressStepFor(12), 9);
    EXPECT_EQ(ProgressStepFor(11), 10);
    EXPECT_EQ(ProgressStepFor(3), 34);
    EXPECT_EQ(ProgressStepFor(1), 100);
    EXPECT_EQ(ProgressStepFor(100), 1);
    EXPECT_EQ(ProgressStepFor(0), 100);  // the smallest sequence, no division
}

TEST_F(SequenceDriverTest, TwelveFramesOfFullMorphing) {
    const Bitmap source = GradientBitmap(40, 30);
    const Bitmap destination = SolidBitmap(40, 30, 250, 10, 60);
    Open(source, destination, false);
    RecordingDialog dialog;

    EXPECT_TRUE(Generate(12));
    ASSERT_EQ(frames.Count(), 12);
    EXPECT_EQ(frames.Frame(0), source);
    EXPECT_EQ(frames.Frame(11), destination);
    for (int32_t k = 0; k < 12; ++k) EXPECT_EQ(frames.DelayMs(k), 100);
    // With an identity mesh only the blend changes: frame i holds p percent of the source.
    const int32_t percents[] = {90, 81, 72, 63, 54, 45, 36, 27, 18, 9};
    for (int32_t i = 1; i <= 10; ++i) {
        Bitmap expected = source;
        MergeIEBitmap(expected, destination, percents[i - 1]);
        EXPECT_LE(test::MaxChannelDifference(frames.Frame(i), expected), 1) << "frame " << i;
    }
    EXPECT_EQ(session.Work.ProgressStep, 9);
    const std::vector<int32_t> expected{9, 18, 27, 36, 45, 54, 63, 72, 81, 90, 99, 100};
    EXPECT_EQ(readings, expected);
    EXPECT_TRUE(dialog.shown.empty());
}

TEST_F(SequenceDriverTest, TwelveFramesWarpOnly) {
    const Bitmap source = GradientBitmap(40, 30);
    Open(source, source, true);
    EXPECT_TRUE(Generate(12));
    ASSERT_EQ(frames.Count(), 12);
    EXPECT_EQ(frames.Frame(0), source);
    for (int32_t k = 1; k < 12; ++k) EXPECT_LE(test::MaxChannelDifference(frames.Frame(k), source), 1);
    EXPECT_EQ(gauge.Progress(), 100);
}

TEST_F(SequenceDriverTest, SmallFrameCounts) {
    struct Case {
        int32_t frameCount;
        bool warpOnly;
        int32_t frames;
    };
    // 0 runs as the smallest sequence: no in-between frames.
    const Case cases[] = {{0, false, 2}, {0, true, 1}, {1, false, 2}, {1, true, 1},
                          {2, false, 2}, {2, true, 2}, {3, false, 3}, {3, true, 3}};
    const Bitmap source = GradientBitmap(20, 10);
    const Bitmap destination = SolidBitmap(20, 10, 1, 2, 3);
    for (const Case& c : cases) {
        Open(source, destination, c.warpOnly);
        EXPECT_TRUE(Generate(c.frameCount)) << c.frameCount;
        ASSERT_EQ(frames.Count(), c.frames) << c.frameCount << (c.warpOnly ? " warp-only" : " full");
        EXPECT_EQ(frames.Frame(0), source);
        if (!c.warpOnly) {
            EXPECT_EQ(frames.Frame(c.frames - 1), destination);
        }
        EXPECT_EQ(gauge.Progress(), 100);
    }
}

TEST_F(SequenceDriverTest, DelayZeroGivesZeroMilliseconds) {
    Open(GradientBitmap(8, 8), SolidBitmap(8, 8, 0, 0, 0), false);
    EXPECT_TRUE(Generate(3, 0));
    ASSERT_EQ(frames.Count(), 3);
    for (int32_t k = 0; k < 3; ++k) EXPECT_EQ(frames.DelayMs(k), 0);
}

TEST_F(SequenceDriverTest, PreviewScalesTheLargerSideTo200) {
    struct Case {
        int32_t width;
        int32_t height;
        int32_t workWidth;
        int32_t workHeight;
    };
    const Case cases[] = {
        {400, 300, 200, 150}, {100, 50, 200, 100},
        {151, 80, 201, 106},                      // 151 x (200 / 151) lands just above 200
        {80, 151, 106, 201},  {1000, 2, 200, 1},  // a side never becomes 0
    };
    for (const Case& c : cases) {
        Open(GradientBitmap(c.width, c.height), SolidBitmap(c.width, c.height, 9, 9, 9), false);
        EXPECT_TRUE(Generate(1, 10, true));
        EXPECT_EQ(session.Work.WorkWidth, c.workWidth) << c.width << " x " << c.height;
        EXPECT_EQ(session.Work.WorkHeight, c.workHeight) << c.width << " x " << c.height;
        EXPECT_EQ(session.WarpScale, 200.0 / std::max(c.width, c.height));
        ASSERT_EQ(frames.Count(), 2);
        EXPECT_EQ(frames.Frame(0).Width(), c.workWidth);
        EXPECT_EQ(frames.Frame(1).Height(), c.workHeight);
        EXPECT_EQ(frames.Frame(1), SolidBitmap(c.workWidth, c.workHeight, 9, 9, 9));
    }
}

TEST_F(SequenceDriverTest, FullSizeRunRecordsTheRowLayout) {
    const int32_t strides[] = {4, 8, 12, 12};
    const int32_t pads[] = {1, 2, 3, 0};
    for (int32_t width = 1; width <= 4; ++width) {
        Open(GradientBitmap(width, 3), GradientBitmap(width, 3), false);
        EXPECT_TRUE(Generate(1));
        EXPECT_EQ(session.WarpScale, 1.0);
        EXPECT_EQ(session.Work.RowStride, strides[width - 1]);
        EXPECT_EQ(session.Work.RowPad, pads[width - 1]);
        EXPECT_EQ(session.Work.OutSrc, nullptr);  // the run's bitmaps are gone
    }
}

TEST_F(SequenceDriverTest, RefusesImagesOfTheWrongSize) {
    Open(GradientBitmap(10, 10), GradientBitmap(10, 10), false);
    session.ImageWidth = 12;
    EXPECT_FALSE(Generate(12));
    EXPECT_EQ(frames.Count(), 0);
}

}  // namespace
}  // namespace kavrell

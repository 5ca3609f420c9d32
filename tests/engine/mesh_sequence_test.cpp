// The mesh method through the sequence driver, with a session built by hand.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/mesh_warp.h"
#include "morph/sequence_driver.h"
#include "morph/session.h"
#include "platform/image_processor.h"
#include "support/generation_session.h"
#include "support/recording_dialog.h"
#include "support/test_images.h"
#include "support/warp_records.h"

namespace kavrell {
namespace {

using test::GradientBitmap;
using test::LayRegularMesh;
using test::MaxChannelDifference;
using test::RecordingDialog;

// A bitmap whose channels run against those of GradientBitmap.
Bitmap ReversedGradient(int32_t width, int32_t height) {
    const Bitmap gradient = GradientBitmap(width, height);
    Bitmap reversed(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            for (int32_t k = 0; k < 3; ++k) reversed.Pixel(x, y)[k] = 255 - gradient.Pixel(x, y)[k];
        }
    }
    return reversed;
}

// Mean absolute channel difference, to rank frames between two images.
double MeanDifference(const Bitmap& a, const Bitmap& b) {
    double sum = 0;
    for (int32_t y = 0; y < a.Height(); ++y) {
        for (int32_t x = 0; x < 3 * a.Width(); ++x) sum += std::abs(a.ScanLine(y)[x] - b.ScanLine(y)[x]);
    }
    return sum / (3.0 * a.Width() * a.Height());
}

// A session the way the editor leaves it before "Execute morphing", with a
// regular mesh on both images. Runs use the session's default settings
// (twelve frames) unless a test changes them.
class MeshSession : public test::GenerationSession {
public:
    MeshSession(const Bitmap& source, const Bitmap& destination, int32_t cols, int32_t rows, bool warpOnly)
        : GenerationSession(source, destination, warpOnly) {
        LayRegularMesh(Warp(), source.Width(), source.Height(), cols, rows);
    }
};

TEST(MeshSequenceTest, TwelveFramesMorphFromTheSourceToTheDestination) {
    const Bitmap source = GradientBitmap(64, 48);
    const Bitmap destination = ReversedGradient(64, 48);
    for (bool linear : {true, false}) {
        RecordingDialog dialog;
        MeshSession run(source, destination, 3, 2, false);
        run.Warp().linear = linear;
        run.Warp().dstNodes[1][1] = {21, 11};
        run.Warp().dstNodes[2][2] = {27, 36};
        run.Warp().dstNodes[3][1] = {52, 20};

        EXPECT_TRUE(run.Generate());
        ASSERT_EQ(run.frames.Count(), 12);
        for (int32_t i = 0; i < 12; ++i) EXPECT_EQ(run.frames.DelayMs(i), 100);
        EXPECT_EQ(run.frames.Frame(0), source);
        EXPECT_EQ(run.frames.Frame(11), destination);
        // Each in-between frame lies further from the source and nearer to
        // the destination than the one before.
        for (int32_t i = 1; i < 12; ++i) {
            EXPECT_GT(MeanDifference(run.frames.Frame(i), source),
                      MeanDifference(run.frames.Frame(i - 1), source))
                << i;
            EXPECT_LT(MeanDifference(run.frames.Frame(i), destination),
                      MeanDifference(run.frames.Frame(i - 1), destination))
                << i;
        }
        EXPECT_EQ(run.gauge.Progress(), 100);
        EXPECT_TRUE(dialog.shown.empty());
    }
}

TEST(MeshSequenceTest, AnInBetweenFrameBlendsBothWarpsWithTheSourceShare) {
    // Frame 5 of 12 lies at t = 5/11 with 54 % of the warped source.
    const Bitmap source = GradientBitmap(64, 48);
    const Bitmap destination = ReversedGradient(64, 48);
    MeshSession run(source, destination, 2, 2, false);
    run.Warp().linear = true;
    run.Warp().dstNodes[1][2] = {30, 25};
    ASSERT_TRUE(run.Generate());

    const WarpObjStru& warp = run.Warp();
    const MeshCoords sourceMesh = MeshFromNodes(warp.srcNodes, 2, 2, 1.0, 64, 48);
    const MeshCoords destinationMesh = MeshFromNodes(warp.dstNodes, 2, 2, 1.0, 64, 48);
    MeshCoords blended = sourceMesh;
    const double t = 5.0 / 11;
    BlendMeshes(sourceMesh, destinationMesh, 1.0 - t, t, blended);
    Bitmap expected(64, 48);
    Bitmap warpedDestination(64, 48);
    MeshWarpImage(source.LastRow(), expected.LastRow(), 48, 64, sourceMesh, blended, true);
    MeshWarpImage(destination.LastRow(), warpedDestination.LastRow(), 48, 64, destinationMesh, blended, true);
    MergeIEBitmap(expected, warpedDestination, 54);
    EXPECT_EQ(run.frames.Frame(5), expected);
}

TEST(MeshSequenceTest, WarpOnlyMovesTheSourceOneStepPerFrameWithoutBlending) {
    // A 1 x 1 mesh whose node moves 12 working pixels to the right over 12
    // frames: frame i shows the source's node pixel i pixels further right.
    // In preview mode a 400 x 300 image works at 200 x 150, scale 0.5.
    const struct {
        int32_t width, height;
        bool preview;
    } cases[] = {{200, 150, false}, {400, 300, true}};
    for (const auto& c : cases) {
        // The destination view's image differs, so any blend would show.
        const Bitmap source = GradientBitmap(c.width, c.height);
        RecordingDialog dialog;
        MeshSession run(source, ReversedGradient(c.width, c.height), 1, 1, true);
        run.session.PreviewMode = c.preview;
        run.Warp().linear = true;
        const Point32 node = run.Warp().srcNodes[1][1];  // the middle of the image
        run.Warp().dstNodes[1][1] = {node.x + (c.preview ? 24 : 12), node.y};

        EXPECT_TRUE(run.Generate());
        ASSERT_EQ(run.frames.Count(), 12);
        Bitmap working;
        ResampleTo(source, working, 200, 150);
        EXPECT_EQ(run.frames.Frame(0), working);
        for (int32_t i = 1; i < 12; ++i) {
            const Bitmap& frame = run.frames.Frame(i);
            ASSERT_EQ(frame.Width(), 200);
            ASSERT_EQ(frame.Height(), 150);
            EXPECT_EQ(run.frames.DelayMs(i), 100);
            for (int32_t k = 0; k < 3; ++k) {
                EXPECT_NEAR(frame.Pixel(100 + i, 75)[k], working.Pixel(100, 75)[k], 1)
                    << "frame " << i << " channel " << k << (c.preview ? " preview" : "");
            }
        }
        EXPECT_EQ(run.gauge.Progress(), 100);
        EXPECT_TRUE(dialog.shown.empty());
    }
}

TEST(MeshSequenceTest, AFailureLaterInTheRunKeepsTheFramesBeforeIt) {
    // Two nodes of column 1 swap heights between the source and the
    // destination; with 11 frames t = 5/10 makes them coincide, which the
    // linear curves cannot cross.
    const Bitmap source = GradientBitmap(60, 48);
    const Bitmap destination = ReversedGradient(60, 48);
    RecordingDialog dialog;
    MeshSession run(source, destination, 2, 2, false);
    run.session.FrameCount = 11;
    run.Warp().linear = true;
    run.Warp().srcNodes[1][1] = {20, 14};
    run.Warp().srcNodes[1][2] = {20, 35};
    run.Warp().dstNodes[1][1] = {20, 35};
    run.Warp().dstNodes[1][2] = {20, 14};

    EXPECT_FALSE(run.Generate());
    // The source frame and the in-between frames at t = 0.1 to 0.4.
    ASSERT_EQ(run.frames.Count(), 5);
    EXPECT_EQ(run.frames.Frame(0), source);
    EXPECT_GT(MaxChannelDifference(run.frames.Frame(4), destination), 0);
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].code, 0);
    EXPECT_EQ(dialog.shown[0].text,
              "Error generating morphing sequence. Possible reason: control points overlaping!");
    EXPECT_EQ(run.gauge.Progress(), 100);
}

TEST(MeshSequenceTest, AFoldedMeshStillProducesItsFrames) {
    // A hundred columns on 640 pixels put the last interior columns beyond
    // the right border; the destination drags two nodes past neighbours.
    const Bitmap source = GradientBitmap(640, 24);
    const Bitmap destination = ReversedGradient(640, 24);
    for (bool linear : {true, false}) {
        RecordingDialog dialog;
        MeshSession run(source, destination, 100, 1, false);
        run.Warp().linear = linear;
        run.Warp().dstNodes[40][1] = {303, 5};  // past columns 41 to 43 (287 to 301)
        run.Warp().dstNodes[1][1] = {-13, 20};  // past the left border
        EXPECT_TRUE(run.Generate());
        EXPECT_EQ(run.frames.Count(), 12);
        EXPECT_TRUE(dialog.shown.empty());
    }
}

}  // namespace
}  // namespace kavrell

#include "engine/parallel_bands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/field_warp.h"
#include "engine/mesh_warp.h"
#include "engine/warp_failure.h"
#include "support/test_images.h"

namespace kavrell {
namespace {

// Restores the default thread count when a test ends.
class ThreadCountTest : public ::testing::Test {
protected:
    void TearDown() override { SetWarpThreadCount(0); }
};

TEST_F(ThreadCountTest, EveryLineBelongsToExactlyOneBand) {
    for (const int32_t threads : {1, 2, 3, 8}) {
        SetWarpThreadCount(threads);
        for (const int32_t count : {0, 1, 15, 16, 33, 100, 1001}) {
            std::vector<std::atomic<int>> visits(static_cast<size_t>(count));
            ForEachBand(count, [&](int32_t begin, int32_t end) {
                for (int32_t i = begin; i < end; ++i) ++visits[static_cast<size_t>(i)];
            });
            for (int32_t i = 0; i < count; ++i) {
                ASSERT_EQ(visits[static_cast<size_t>(i)], 1) << count << " lines, " << threads << " threads";
            }
        }
    }
}

TEST_F(ThreadCountTest, TheLowestFailingBandsExceptionReachesTheCaller) {
    SetWarpThreadCount(4);
    try {
        ForEachBand(400, [](int32_t begin, int32_t) {
            if (begin > 0) throw WarpFailure("band at " + std::to_string(begin));
        });
        FAIL() << "no exception";
    } catch (const WarpFailure& failure) {
        EXPECT_STREQ(failure.what(), "band at 100");
    }
}

// The warps cut their lines into bands; the frames must not depend on how many.
TEST_F(ThreadCountTest, WarpsGiveTheSameBitsOnAnyThreadCount) {
    const Bitmap image = test::GradientBitmap(123, 77);
    MeshCoords imageMesh(4, 4);
    MeshCoords targetMesh(4, 4);
    const double xs[] = {0, 40, 80, 122};
    const double ys[] = {0, 25, 50, 76};
    for (int32_t r = 0; r < 4; ++r) {
        for (int32_t c = 0; c < 4; ++c) {
            imageMesh.X[imageMesh.Index(c, r)] = targetMesh.X[targetMesh.Index(c, r)] = xs[c];
            imageMesh.Y[imageMesh.Index(c, r)] = targetMesh.Y[targetMesh.Index(c, r)] = ys[r];
        }
    }
    targetMesh.X[targetMesh.Index(1, 1)] = 52.5;
    targetMesh.Y[targetMesh.Index(2, 2)] = 38.25;
    const WarpLine from[] = {MakeWarpLine(10, 10, 60, 40), MakeWarpLine(100, 5, 90, 70)};
    const WarpLine to[] = {MakeWarpLine(20, 15, 55, 50), MakeWarpLine(95, 10, 80, 60)};

    std::vector<Bitmap> results;
    for (const int32_t threads : {1, 2, 3, 7}) {
        SetWarpThreadCount(threads);
        for (const bool linear : {true, false}) {
            Bitmap out(image.Width(), image.Height());
            MeshWarpImage(image.LastRow(), out.LastRow(), image.Height(), image.Width(), imageMesh,
                          targetMesh, linear);
            results.push_back(out);
        }
        Bitmap out(image.Width(), image.Height());
        FieldWarpImage(image.LastRow(), out.LastRow(), from, 0.4, image.Width(), image.Height(), 2, to,
                       image.RowStride());
        results.push_back(out);
    }
    ASSERT_EQ(results.size(), 12u);
    for (size_t k = 3; k < results.size(); ++k) {
        EXPECT_EQ(results[k], results[k % 3]) << "result " << k % 3 << " on thread count index " << k / 3;
    }
    EXPECT_NE(results[0], image);  // the warps did move something
}

}  // namespace
}  // namespace kavrell

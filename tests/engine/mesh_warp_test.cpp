#include "engine/mesh_warp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/frame_schedule.h"
#include "engine/warp_failure.h"
#include "support/test_images.h"
#include "support/warp_records.h"

namespace kavrell {
namespace {

using test::GradientBitmap;
using test::LayRegularMesh;
using test::MaxChannelDifference;

// A regular lattice the way the mesh editor lays one out: interior node
// (i dx, j dy) with dx = ceil(W / (cols + 1)), the left and top border on 0,
// the right border on W - 1 and the bottom border on H - 1.
MeshCoords Lattice(int32_t cols, int32_t rows, int32_t width, int32_t height) {
    MeshCoords mesh(cols + 2, rows + 2);
    const int32_t dx = (width + cols) / (cols + 1);
    const int32_t dy = (height + rows) / (rows + 1);
    for (int32_t r = 0; r < mesh.Rows; ++r) {
        for (int32_t c = 0; c < mesh.Cols; ++c) {
            mesh.X[mesh.Index(c, r)] = c == cols + 1 ? width - 1 : c * dx;
            mesh.Y[mesh.Index(c, r)] = r == rows + 1 ? height - 1 : r * dy;
        }
    }
    return mesh;
}

void MoveNode(MeshCoords& mesh, int32_t c, int32_t r, double x, double y) {
    mesh.X[mesh.Index(c, r)] = x;
    mesh.Y[mesh.Index(c, r)] = y;
}

Bitmap Warp(const Bitmap& image, const MeshCoords& imageMesh, const MeshCoords& targetMesh, bool linear) {
    Bitmap out(image.Width(), image.Height());
    MeshWarpImage(image.LastRow(), out.LastRow(), image.Height(), image.Width(), imageMesh, targetMesh,
                  linear);
    return out;
}

// The largest channel difference between two bitmaps over the pixels for
// which keep(x, y) holds.
template <typename Keep>
int MaxDifferenceWhere(const Bitmap& a, const Bitmap& b, Keep keep) {
    int largest = 0;
    for (int32_t y = 0; y < a.Height(); ++y) {
        for (int32_t x = 0; x < a.Width(); ++x) {
            if (!keep(x, y)) continue;
            for (int32_t k = 0; k < 3; ++k)
                largest = std::max(largest, std::abs(a.Pixel(x, y)[k] - b.Pixel(x, y)[k]));
        }
    }
    return largest;
}

const char* Kind(bool linear) { return linear ? "Linear" : "Catmull-Rom"; }

// --- Identity ---

TEST(MeshWarpImageTest, EqualMeshesReproduceTheWholeImage) {
    // An odd width, so that rows carry padding.
    const int32_t width = 61;
    const int32_t height = 47;
    const Bitmap image = GradientBitmap(width, height);
    MeshCoords distorted = Lattice(4, 4, width, height);
    MoveNode(distorted, 2, 2, 27.5, 21.25);
    MoveNode(distorted, 4, 1, 57, 3);
    // The 20 x 15 lattice puts its last interior row on 45, one pixel above
    // the bottom border, so no pixel row lies between them.
    const MeshCoords meshes[] = {Lattice(1, 1, width, height), Lattice(3, 2, width, height), distorted,
                                 Lattice(20, 15, width, height)};
    for (bool linear : {true, false}) {
        for (const MeshCoords& mesh : meshes) {
            const Bitmap out = Warp(image, mesh, mesh, linear);
            EXPECT_LE(MaxChannelDifference(out, image), 1) << Kind(linear) << " " << mesh.Cols;
        }
    }
}

// --- Moving nodes ---

TEST(MeshWarpImageTest, AMovedNodeWithLinearCurvesChangesOnlyItsFourCells) {
    // Lattice 3 x 3 on 80 x 64: columns at 20, 40, 60, rows at 16, 32, 48.
    // Node (2, 2) sits at (40, 32); its four cells span 20..60 x 16..48.
    const Bitmap image = GradientBitmap(80, 64);
    const MeshCoords mesh = Lattice(3, 3, 80, 64);
    MeshCoords moved = mesh;
    MoveNode(moved, 2, 2, 45, 28);
    auto outsideCells = [](int32_t x, int32_t y) { return x < 20 || x > 60 || y < 16 || y > 48; };

    const Bitmap linear = Warp(image, mesh, moved, true);
    EXPECT_LE(MaxDifferenceWhere(linear, image, outsideCells), 1);
    EXPECT_GT(MaxChannelDifference(linear, image), 10);

    // Catmull-Rom curves reach two intervals further on each side.
    const Bitmap smooth = Warp(image, mesh, moved, false);
    EXPECT_GT(MaxDifferenceWhere(smooth, image, outsideCells), 1);
}

TEST(MeshWarpImageTest, AMovedNodeCarriesItsPixelOntoItsTarget) {
    // A 1 x 1 mesh: one interior node and eight border nodes. On 61 x 47 the
    // node sits at (31, 24).
    const Bitmap image = GradientBitmap(61, 47);
    const MeshCoords mesh = Lattice(1, 1, 61, 47);
    ASSERT_EQ(mesh.Cols, 3);
    ASSERT_EQ(mesh.Rows, 3);
    // Each output sample is the mean over the input it covers; beyond the
    // node these moves squeeze the image little enough that the sample on
    // the node covers hardly more than the node's own pixel.
    const struct { int32_t x, y; } targets[] = {{38, 24}, {20, 24}, {31, 18}, {31, 27}};
    for (bool linear : {true, false}) {
        for (const auto& target : targets) {
            MeshCoords moved = mesh;
            MoveNode(moved, 1, 1, target.x, target.y);
            const Bitmap out = Warp(image, mesh, moved, linear);
            for (int32_t k = 0; k < 3; ++k) {
                EXPECT_NEAR(out.Pixel(target.x, target.y)[k], image.Pixel(31, 24)[k], 1)
                    << Kind(linear) << " to " << target.x << "," << target.y << " channel " << k;
            }
            // The corners stay where they are.
            EXPECT_LE(MaxDifferenceWhere(
                          out, image,
                          [](int32_t x, int32_t y) { return (x == 0 || x == 60) && (y == 0 || y == 46); }),
                      1);
        }
    }
}

// --- Zero divisors ---

TEST(MeshWarpImageTest, CoincidingNeighboursFailWithLinearAndJumpWithCatmullRom) {
    const Bitmap image = GradientBitmap(80, 64);
    const MeshCoords target = Lattice(3, 3, 80, 64);
    // Node (1, 1) sits at (20, 16).
    const struct {
        const char* what;
        int32_t c, r;
        double x, y;
    } cases[] = {
        {"same height in one column", 1, 2, 30, 16},  // (1, 2) from (20, 32)
        {"same x in one row", 2, 1, 20, 10},          // (2, 1) from (40, 16)
    };
    for (const auto& c : cases) {
        MeshCoords mesh = target;
        MoveNode(mesh, c.c, c.r, c.x, c.y);
        EXPECT_THROW(Warp(image, mesh, target, true), WarpFailure) << c.what;
        EXPECT_THROW(Warp(image, target, mesh, true), WarpFailure) << c.what;
        EXPECT_NO_THROW(Warp(image, mesh, target, false)) << c.what;
        EXPECT_NO_THROW(Warp(image, target, mesh, false)) << c.what;
    }
}

TEST(MeshWarpImageTest, ANodeAtMostOnePixelBeforeTheBorderWarps) {
    // 80 x 64: the last interior column at 60, the last interior row at 48.
    // The node is moved to W - 1.5 or H - 1.5 (or one whole pixel before the
    // border); the last pixel line then lies on the border beyond it with no
    // pixel line in between.
    const Bitmap image = GradientBitmap(80, 64);
    const MeshCoords mesh = Lattice(3, 3, 80, 64);
    const struct {
        int32_t c, r;
        double x, y;
    } cases[] = {{3, 2, 78.5, 32}, {2, 3, 40, 62.5}, {3, 1, 78, 16}};
    for (bool linear : {true, false}) {
        for (const auto& c : cases) {
            MeshCoords moved = mesh;
            MoveNode(moved, c.c, c.r, c.x, c.y);
            Bitmap out;
            EXPECT_NO_THROW(out = Warp(image, moved, mesh, linear)) << Kind(linear);
            EXPECT_GT(MaxChannelDifference(out, image), 10) << Kind(linear);
            EXPECT_NO_THROW(out = Warp(image, mesh, moved, linear)) << Kind(linear);
            EXPECT_GT(MaxChannelDifference(out, image), 10) << Kind(linear);
        }
    }
}

// --- Folded meshes ---

TEST(MeshWarpImageTest, FoldedMeshesWarpInsideTheirImages) {
    // 61 pixels give one padding byte per row; it must stay untouched.
    const int32_t width = 61;
    const int32_t height = 47;
    const Bitmap image = GradientBitmap(width, height);
    const MeshCoords lattice = Lattice(3, 3, width, height);  // nodes at 16, 32, 48 and 12, 24, 36
    const struct {
        const char* what;
        int32_t c, r;
        double x, y;
    } cases[] = {
        {"past its lower neighbour", 2, 1, 32, 29},
        {"past its right neighbour", 1, 2, 53, 24},
        {"onto its left neighbour and beyond", 2, 2, 13, 25},
        {"past the left border", 1, 1, -9, 12},
        {"past the top border", 3, 1, 48, -7},
        {"past the right border", 3, 3, 75, 36},
        {"past the bottom border", 2, 3, 32, 59},
        {"far outside", 2, 2, 4000, -3000},
    };
    for (bool linear : {true, false}) {
        for (const auto& c : cases) {
            MeshCoords folded = lattice;
            MoveNode(folded, c.c, c.r, c.x, c.y);
            for (bool foldedTarget : {false, true}) {
                Bitmap out(width, height);
                for (int32_t y = 0; y < height; ++y) out.ScanLine(y)[3 * width] = 0xA5;
                EXPECT_NO_THROW(MeshWarpImage(image.LastRow(), out.LastRow(), height, width,
                                              foldedTarget ? lattice : folded,
                                              foldedTarget ? folded : lattice, linear))
                    << Kind(linear) << " " << c.what;
                for (int32_t y = 0; y < height; ++y) ASSERT_EQ(out.ScanLine(y)[3 * width], 0xA5) << c.what;
            }
        }
    }
}

TEST(MeshWarpImageTest, AHundredColumnsOnSixHundredFortyPixelsWarp) {
    // dx = ceil(640 / 101) = 7 puts the last nine interior columns beyond the
    // right border at 639.
    const Bitmap image = GradientBitmap(640, 24);
    const MeshCoords lattice = Lattice(100, 2, 640, 24);
    ASSERT_GT(lattice.X[lattice.Index(100, 1)], 639);
    MeshCoords moved = lattice;
    MoveNode(moved, 50, 1, 353, 9);
    for (bool linear : {true, false}) {
        EXPECT_NO_THROW(Warp(image, lattice, moved, linear)) << Kind(linear);
        EXPECT_NO_THROW(Warp(image, moved, lattice, linear)) << Kind(linear);
    }
}

TEST(MeshWarpImageTest, MismatchedMeshesLeaveTheOutputAlone) {
    const Bitmap image = GradientBitmap(20, 10);
    const Bitmap before = test::SolidBitmap(20, 10, 7, 7, 7);
    Bitmap out = before;
    MeshWarpImage(image.LastRow(), out.LastRow(), 10, 20, Lattice(2, 2, 20, 10), Lattice(3, 2, 20, 10), true);
    EXPECT_EQ(out, before);
}

// --- Meshes from the record ---

TEST(MeshFromNodesTest, ScalesNodesAndPinsTheRightAndBottomBorderToTheWorkingImage) {
    const struct {
        int32_t imageWidth, imageHeight, workWidth, workHeight;
        double scale;
    } cases[] = {
        {640, 480, 200, 150, 200.0 / 640},  // preview of a large image: 639 x 0.3125 = 199.6875
        {50, 30, 200, 120, 4.0},            // preview of a small one: 49 x 4 = 196
        {640, 480, 640, 480, 1.0},          // full size
    };
    for (const auto& c : cases) {
        auto warp = NewWarpState(false);
        LayRegularMesh(*warp, c.imageWidth, c.imageHeight, 4, 3);
        warp->srcNodes[2][1] = {13, -5};  // a node dragged outside stays outside
        const MeshCoords mesh = MeshFromNodes(warp->srcNodes, 4, 3, c.scale, c.workWidth, c.workHeight);
        ASSERT_EQ(mesh.Cols, 6);
        ASSERT_EQ(mesh.Rows, 5);
        for (int32_t r = 0; r < mesh.Rows; ++r) {
            for (int32_t col = 0; col < mesh.Cols; ++col) {
                const Point32 node = warp->srcNodes[col][r];
                const double x = col == 5 ? c.workWidth - 1 : node.x * c.scale;
                const double y = r == 4 ? c.workHeight - 1 : node.y * c.scale;
                EXPECT_EQ(mesh.X[mesh.Index(col, r)], x) << col << "," << r;
                EXPECT_EQ(mesh.Y[mesh.Index(col, r)], y) << col << "," << r;
            }
        }
        EXPECT_EQ(mesh.X[mesh.Index(5, 2)], c.workWidth - 1);
        EXPECT_EQ(mesh.Y[mesh.Index(3, 4)], c.workHeight - 1);
        EXPECT_EQ(mesh.X[mesh.Index(0, 2)], 0.0);
        EXPECT_EQ(mesh.Y[mesh.Index(3, 0)], 0.0);
        EXPECT_EQ(mesh.X[mesh.Index(2, 1)], 13 * c.scale);  // fractional, not rounded
    }
}

TEST(MeshFromNodesTest, PreviewMeshesWarpTheWholeWorkingImage) {
    // The scaled right edge of a 640 x 480 image would lie at 199.6875 and
    // 149.6875; pinned to 199 and 149, equal meshes reproduce every pixel.
    auto warp = NewWarpState(false);
    LayRegularMesh(*warp, 640, 480, 5, 4);
    const MeshCoords mesh = MeshFromNodes(warp->srcNodes, 5, 4, 200.0 / 640, 200, 150);
    const Bitmap image = GradientBitmap(200, 150);
    for (bool linear : {true, false}) {
        EXPECT_LE(MaxChannelDifference(Warp(image, mesh, mesh, linear), image), 1) << Kind(linear);
    }
}

// --- Blending ---

TEST(BlendMeshesTest, KeepsSharedCoordinatesExactAndMixesTheOthers) {
    MeshCoords source(3, 3);
    MeshCoords destination(3, 3);
    std::fill(source.X.begin(), source.X.end(), 1919.0);
    std::fill(destination.X.begin(), destination.X.end(), 1919.0);
    std::fill(source.Y.begin(), source.Y.end(), 10.0);
    std::fill(destination.Y.begin(), destination.Y.end(), 30.0);
    MeshCoords blended(3, 3);
    for (int32_t frameCount = 2; frameCount <= 101; ++frameCount) {
        for (const InBetweenFrame& frame : FrameSchedule(frameCount, false)) {
            BlendMeshes(source, destination, frame.w, frame.t, blended);
            ASSERT_EQ(blended.X[4], 1919.0) << frameCount << " " << frame.index;
            ASSERT_NEAR(blended.Y[4], 10.0 + 20.0 * frame.t, 1e-12);
        }
    }
    BlendMeshes(source, destination, 0.5, 0.5, blended);
    EXPECT_EQ(blended.Y[0], 20.0);
}

}  // namespace
}  // namespace kavrell

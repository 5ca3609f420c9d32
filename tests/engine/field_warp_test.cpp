#include "engine/field_warp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/warp_failure.h"
#include "morph/warp_state.h"
#include "platform/bitmap.h"
#include "support/warp_records.h"

namespace kavrell {
namespace {

// The warp counts rows from the bottom; Bitmap::Pixel counts them from the top.
uint8_t* PixelFromBottom(Bitmap& bitmap, int32_t x, int32_t y) {
    return bitmap.Pixel(x, bitmap.Height() - 1 - y);
}
const uint8_t* PixelFromBottom(const Bitmap& bitmap, int32_t x, int32_t y) {
    return bitmap.Pixel(x, bitmap.Height() - 1 - y);
}

Bitmap Warp(const Bitmap& image, const std::vector<WarpLine>& from, const std::vector<WarpLine>& to,
            double t) {
    Bitmap output(image.Width(), image.Height());
    FieldWarpImage(image.LastRow(), output.LastRow(), from.data(), t, image.Width(), image.Height(),
                   static_cast<int32_t>(from.size()), to.data(), image.RowStride());
    return output;
}

WarpLine Shifted(const WarpLine& line, int32_t dx, int32_t dy) {
    return MakeWarpLine(line.x1 + dx, line.y1 + dy, line.x2 + dx, line.y2 + dy);
}

// ---------------------------------------------------------------------------
// Line pairs from the record

void ExpectLine(const WarpLine& line, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    EXPECT_EQ(line.x1, x1);
    EXPECT_EQ(line.y1, y1);
    EXPECT_EQ(line.x2, x2);
    EXPECT_EQ(line.y2, y2);
    const int64_t dx = static_cast<int64_t>(x2) - x1;
    const int64_t dy = static_cast<int64_t>(y2) - y1;
    EXPECT_EQ(line.dx, dx);
    EXPECT_EQ(line.dy, dy);
    EXPECT_EQ(line.sqLength, dx * dx + dy * dy);
    EXPECT_DOUBLE_EQ(line.length, std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

class LinePairsTest : public ::testing::Test {
protected:
    void AddPoint(Point32 source, Point32 destination) { test::AddPointPair(*warp, source, destination); }
    void AddBreak() { test::AddLineBreak(*warp); }

    std::unique_ptr<WarpObjStru> warp = NewWarpState(false);
    LinePairs pairs;
};

TEST_F(LinePairsTest, ConsecutivePointsOfEachPolylinePairUpButNotAcrossABreak) {
    // Slots: A, B, C, break, D, E; the destination points differ from the source ones.
    AddPoint({1, 2}, {4, 6});      // A
    AddPoint({30, 40}, {33, 41});  // B
    AddPoint({50, 10}, {47, 12});  // C
    AddBreak();
    AddPoint({5, 90}, {8, 88});    // D
    AddPoint({70, 95}, {71, 99});  // E
    BuildLinePairs(warp->srcPoints, warp->dstPoints, warp->pointCount, 1.0, 100, pairs);

    ASSERT_EQ(pairs.count, 3);
    // Rows count from the bottom of a 100-row image: y' = 99 - y.
    ExpectLine(pairs.source[0], 1, 97, 30, 59);   // AB
    ExpectLine(pairs.source[1], 30, 59, 50, 89);  // BC
    ExpectLine(pairs.source[2], 5, 9, 70, 4);     // DE
    ExpectLine(pairs.destination[0], 4, 93, 33, 58);
    ExpectLine(pairs.destination[1], 33, 58, 47, 87);
    ExpectLine(pairs.destination[2], 8, 11, 71, 0);
}

TEST_F(LinePairsTest, PreviewScaleConvertsToWorkingRowsFromTheBottom) {
    AddPoint({10, 0}, {10, 0});
    AddPoint({11, 399}, {11, 399});
    BuildLinePairs(warp->srcPoints, warp->dstPoints, warp->pointCount, 0.5, 400, pairs);
    ASSERT_EQ(pairs.count, 1);
    // (10, 0) -> (5, trunc(399 x 0.5) = 199); (11, 399) -> (trunc(5.5) = 5, 0).
    ExpectLine(pairs.source[0], 5, 199, 5, 0);
    ExpectLine(pairs.destination[0], 5, 199, 5, 0);
}

TEST_F(LinePairsTest, NegativeCoordinatesTruncateTowardZero) {
    AddPoint({-3, 401}, {-1, 0});
    AddPoint({7, -5}, {-7, 3});
    BuildLinePairs(warp->srcPoints, warp->dstPoints, warp->pointCount, 0.5, 400, pairs);
    ASSERT_EQ(pairs.count, 1);
    // -1.5 -> -1, (399 - 401) x 0.5 = -1 -> -1, (399 + 5) x 0.5 = 202, -0.5 -> 0, -3.5 -> -3.
    ExpectLine(pairs.source[0], -1, -1, 3, 202);
    ExpectLine(pairs.destination[0], 0, 199, -3, 198);
}

struct EqualEndsCase {
    std::string name;
    double scale;
    Point32 sourceStart, sourceEnd, destinationStart, destinationEnd;
    bool sourceLengthened, destinationLengthened;
};

class EqualEndsTest : public LinePairsTest, public ::testing::WithParamInterface<EqualEndsCase> {};

TEST_P(EqualEndsTest, OnlyALineWhoseEndsMeetIsLengthenedByOneColumnAndRow) {
    const EqualEndsCase& c = GetParam();
    AddPoint(c.sourceStart, c.destinationStart);
    AddPoint(c.sourceEnd, c.destinationEnd);
    BuildLinePairs(warp->srcPoints, warp->dstPoints, warp->pointCount, c.scale, 100, pairs);
    ASSERT_EQ(pairs.count, 1);

    const auto expect = [&](const WarpLine& line, Point32 start, Point32 end, bool lengthened) {
        const auto x = [&](int32_t v) { return static_cast<int32_t>(v * c.scale); };
        const auto y = [&](int32_t v) { return static_cast<int32_t>((99 - v) * c.scale); };
        if (lengthened) {
            ExpectLine(line, x(start.x), y(start.y), x(start.x) + 1, y(start.y) + 1);
            EXPECT_EQ(line.sqLength, 2);
            EXPECT_DOUBLE_EQ(line.length, std::sqrt(2.0));
        } else {
            ExpectLine(line, x(start.x), y(start.y), x(end.x), y(end.y));
        }
    };
    expect(pairs.source[0], c.sourceStart, c.sourceEnd, c.sourceLengthened);
    expect(pairs.destination[0], c.destinationStart, c.destinationEnd, c.destinationLengthened);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EqualEndsTest,
    ::testing::Values(
        EqualEndsCase{"OnlySourceEqual", 1.0, {20, 30}, {20, 30}, {5, 6}, {40, 60}, true, false},
        EqualEndsCase{"OnlyDestinationEqual", 1.0, {5, 6}, {40, 60}, {20, 30}, {20, 30}, false, true},
        EqualEndsCase{"BothEqual", 1.0, {20, 30}, {20, 30}, {8, 9}, {8, 9}, true, true},
        // Distinct points that the preview scale puts on one pixel.
        EqualEndsCase{"MergedByScale", 0.5, {10, 1}, {11, 0}, {10, 1}, {30, 0}, true, false}),
    [](const ::testing::TestParamInfo<EqualEndsCase>& info) { return info.param.name; });

TEST_F(LinePairsTest, FarPointsAreLimitedSoThatNoDifferenceOverflows) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t limit = FieldCoordinateLimit - 1;
    AddPoint({kMin, kMax}, {kMax, kMax});
    AddPoint({EmptySlot - 1, kMin}, {kMin, 0});
    AddBreak();
    // Two distinct points that both meet the limit: one pixel, then lengthened.
    AddPoint({-2'000'000'000, 5}, {10'000'000, 1});
    AddPoint({-1'900'000'000, 5}, {2, 2});
    BuildLinePairs(warp->srcPoints, warp->dstPoints, warp->pointCount, 1.0, 100, pairs);
    ASSERT_EQ(pairs.count, 2);
    ExpectLine(pairs.source[0], -limit, -limit, EmptySlot - 1, limit);
    ExpectLine(pairs.destination[0], limit, -limit, -limit, 99);
    ExpectLine(pairs.source[1], -limit, 94, -limit + 1, 95);

    ExpectLine(pairs.destination[1], 10'000'000, 98, 2, 97);

    // A preview scale above 1 pushes even moderate points past the limit.
    BuildLinePairs(warp->srcPoints, warp->dstPoints, warp->pointCount, 200.0, 100, pairs);
    ASSERT_EQ(pairs.count, 2);
    ExpectLine(pairs.source[0], -limit, -limit, (EmptySlot - 1) * 200, limit);
    ExpectLine(pairs.destination[1], limit, 98 * 200, 2 * 200, 97 * 200);
}

TEST_F(LinePairsTest, ACountBeyondTheListsReadsNoSlotPastTheLast) {
    for (int32_t k = 0; k < FieldSlots; ++k) {
        warp->srcPoints[k] = {k, 0};
        warp->dstPoints[k] = {k, 1};
    }
    warp->pointCount = 5000;
    BuildLinePairs(warp->srcPoints, warp->dstPoints, warp->pointCount, 1.0, 10, pairs);
    ASSERT_EQ(pairs.count, FieldSlots - 1);
    ExpectLine(pairs.source[FieldSlots - 2], FieldSlots - 2, 9, FieldSlots - 1, 9);

    warp->pointCount = -3;
    BuildLinePairs(warp->srcPoints, warp->dstPoints, warp->pointCount, 1.0, 10, pairs);
    EXPECT_EQ(pairs.count, 0);
}

// ---------------------------------------------------------------------------
// Weight, rounding and sampling

TEST(LineWeightTest, FollowsLengthToTheThreeQuartersOverOffsetDistanceSquared) {
    // 16^0.75 = 8, 81^0.75 = 27, 1^0.75 = 1.
    EXPECT_NEAR(LineWeight(16.0, 0.0), 64e6, 64e6 * 1e-12);    // a pixel on its line: (8 / 0.001)^2
    EXPECT_NEAR(LineWeight(81.0, 2.999), 81.0, 81.0 * 1e-12);  // (27 / 3)^2
    EXPECT_NEAR(LineWeight(1.0, 0.999), 1.0, 1e-12);
}

TEST(RoundSingleTest, RoundsToNearestWithHalvesToEven) {
    const struct {
        float value;
        int32_t expected;
    } cases[] = {{0.5f, 0},       {1.5f, 2},         {2.5f, 2},   {3.5f, 4},          {254.5f, 254},
                 {255.5f, 256},   {-0.5f, 0},        {-1.5f, -2}, {-2.5f, -2},        {0.49999997f, 0},
                 {2.5000002f, 3}, {127.49999f, 127}, {7.0f, 7},   {1e10f, INT32_MAX}, {-1e10f, INT32_MIN}};
    for (const auto& c : cases) EXPECT_EQ(RoundSingle(c.value), c.expected) << c.value;
    EXPECT_EQ(RoundSingle(std::numeric_limits<float>::quiet_NaN()), 0);
}

// A 4 x 3 image (rows of exactly 12 bytes, no padding), so a read past the last
// column of the top row leaves the buffer and the address sanitizer sees it.
class SampleBilinearTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int32_t y = 0; y < image.Height(); ++y) {
            for (int32_t x = 0; x < image.Width(); ++x) {
                uint8_t* p = PixelFromBottom(image, x, y);
                p[0] = static_cast<uint8_t>(10 * x + 100 * y);  // column and row readable at once
                p[1] = static_cast<uint8_t>(255 - 10 * x);
                p[2] = static_cast<uint8_t>(7 * y);
            }
        }
    }
    std::vector<uint8_t> Sample(double X, double Y) const {
        std::vector<uint8_t> out(3);
        SampleBilinear(image.LastRow(), out.data(), X, Y, image.Width(), image.Height(), image.RowStride());
        return out;
    }
    std::vector<uint8_t> At(int32_t x, int32_t y) const {
        const uint8_t* p = PixelFromBottom(image, x, y);
        return {p[0], p[1], p[2]};
    }
    Bitmap image{4, 3};
};

TEST_F(SampleBilinearTest, BlendsTheFourNeighboursAboveAndRight) {
    // Channel 0 at (1.25, 0.75): top (row 0) = 12.5, bottom (row 1) = 112.5,
    // value = 0.25 x 12.5 + 0.75 x 112.5 = 87.5 -> 88 (even).
    // Channel 1: 255 - 12.5 = 242.5 -> 242 (even). Channel 2: 0.75 x 7 = 5.25 -> 5.
    EXPECT_EQ(Sample(1.25, 0.75), (std::vector<uint8_t>{88, 242, 5}));
    // Whole positions give the pixel itself.
    EXPECT_EQ(Sample(2.0, 1.0), At(2, 1));
}

TEST_F(SampleBilinearTest, PositionsBeyondEveryEdgeSampleThatEdge) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double X, Y;
        int32_t x, y;
    } cases[] = {
        {-5.0, 1.0, 0, 1}, {1e300, 1.0, 3, 1}, {2.0, -0.25, 2, 0},
        {2.0, 3.0, 2, 2},  {-inf, inf, 0, 2},  {inf, -inf, 3, 0},
        {3.0, 2.0, 3, 2},  {3.75, 2.5, 3, 2},  {std::nan(""), 1.0, 0, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(Sample(c.X, c.Y), At(c.x, c.y)) << c.X << ", " << c.Y;
}

TEST_F(SampleBilinearTest, TheLastColumnAndTopRowUseOnlyTheNeighboursInside) {
    // Last column, halfway up: itself and its upper neighbour.
    EXPECT_EQ(Sample(3.0, 0.5)[0], 80);  // (30 + 130) / 2
    // Top row, halfway right: itself and its right neighbour.
    EXPECT_EQ(Sample(2.5, 2.0)[0], 225);  // (220 + 230) / 2
}

// ---------------------------------------------------------------------------
// The field warp over whole images

// An image whose pixels show any misplaced read: channel values from a fixed
// pseudo-random sequence.
Bitmap NoiseBitmap(int32_t width, int32_t height) {
    Bitmap bitmap(width, height);
    uint32_t state = 12345;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            for (int channel = 0; channel < 3; ++channel) {
                state = state * 1664525u + 1013904223u;
                bitmap.Pixel(x, y)[channel] = static_cast<uint8_t>(state >> 24);
            }
        }
    }
    return bitmap;
}

// The mean of the given values rounded to the nearest integer; a mean that
// falls on a half may go either way, as the warp meets it only up to rounding.
void ExpectRoundedMean(int actual, const std::vector<int>& values, const std::string& where) {
    int sum = 0;
    for (int v : values) sum += v;
    const int n = static_cast<int>(values.size());
    const int low = sum / n;
    const int twiceRemainder = 2 * (sum % n);
    if (twiceRemainder == n) {
        EXPECT_TRUE(actual == low || actual == low + 1) << where << ": " << actual << " for half " << low;
    } else {
        EXPECT_EQ(actual, twiceRemainder > n ? low + 1 : low) << where;
    }
}

struct IdentityCase {
    std::string name;
    std::vector<WarpLine> lines;
    double t;
};

class IdentityLinesTest : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(IdentityLinesTest, EachPixelBecomesTheMeanOfItselfAndItsRightAndUpperNeighbours) {
    // Width 5: each row has one byte of padding, which the warp must leave alone.
    const Bitmap image = NoiseBitmap(5, 4);
    const int32_t W = image.Width();
    const int32_t H = image.Height();
    Bitmap output(W, H);
    const int32_t padding = output.RowStride() - 3 * W;
    ASSERT_EQ(padding, 1);
    for (int32_t y = 0; y < H; ++y) output.LastRow()[y * output.RowStride() + 3 * W] = 0xA5;

    const IdentityCase& c = GetParam();
    FieldWarpImage(image.LastRow(), output.LastRow(), c.lines.data(), c.t, W, H,
                   static_cast<int32_t>(c.lines.size()), c.lines.data(), image.RowStride());

    for (int32_t y = 0; y < H; ++y) {
        EXPECT_EQ(output.LastRow()[y * output.RowStride() + 3 * W], 0xA5) << "padding of row " << y;
        for (int32_t x = 0; x < W; ++x) {
            for (int channel = 0; channel < 3; ++channel) {
                const auto value = [&](int32_t px, int32_t py) {
                    return static_cast<int>(PixelFromBottom(image, px, py)[channel]);
                };
                std::vector<int> neighbours{value(x, y)};
                const bool right = x < W - 1;
                const bool up = y < H - 1;
                if (right) neighbours.push_back(value(x + 1, y));
                if (up) neighbours.push_back(value(x, y + 1));
                if (right && up) neighbours.push_back(value(x + 1, y + 1));
                ExpectRoundedMean(PixelFromBottom(output, x, y)[channel], neighbours,
                                  "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") channel " +
                                      std::to_string(channel));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, IdentityLinesTest,
                         ::testing::Values(IdentityCase{"OneHorizontalLine", {MakeWarpLine(0, 1, 4, 1)}, 0.5},
                                           IdentityCase{"OneDiagonalLine", {MakeWarpLine(4, 0, 0, 3)}, 0.0},
                                           IdentityCase{
                                               "LinesInSeveralDirectionsOneOutside",
                                               {MakeWarpLine(0, 0, 4, 3), MakeWarpLine(2, 3, 2, 0),
                                                MakeWarpLine(-20, 30, -10, 45), MakeWarpLine(1, 1, 2, 2)},
                                               1.0},
                                           IdentityCase{"ShortLineInside", {MakeWarpLine(2, 2, 3, 3)}, 0.3}),
                         [](const ::testing::TestParamInfo<IdentityCase>& info) { return info.param.name; });

// Channel 0 = 8x + 4y: the bilinear sample at (X, Y) is 8X + 4Y exactly, so
// the output shows where each pixel was sampled, and the four-pixel mean is
// never a half.
Bitmap PlaneBitmap(int32_t width, int32_t height) {
    Bitmap bitmap(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x)
            PixelFromBottom(bitmap, x, y)[0] = static_cast<uint8_t>(8 * x + 4 * y);
    }
    return bitmap;
}

TEST(FieldWarpImageTest, APixelOnALineFollowsThatLinePairAlone) {
    const Bitmap image = PlaneBitmap(16, 16);
    // Pair 0 leaves the row y = 2 in place; pair 1 takes the row y = 12 from two
    // columns further right. Both lines are 11 long.
    const WarpLine still = MakeWarpLine(1, 2, 12, 2);
    const WarpLine moved = MakeWarpLine(1, 12, 12, 12);
    const Bitmap output = Warp(image, {still, Shifted(moved, 2, 0)}, {still, moved}, 1.0);

    for (int32_t x = 1; x <= 12; ++x) {
        // On a line its own weight, (11^0.75 / 0.001)^2, outweighs the other by ~1e8.
        EXPECT_EQ(PixelFromBottom(output, x, 2)[0], 8 * x + 4 * 2 + 6) << x;
        EXPECT_EQ(PixelFromBottom(output, x, 12)[0], 8 * (x + 2) + 4 * 12 + 6) << x;
        // Halfway between two equal lines the weights are equal: half the shift.
        EXPECT_EQ(PixelFromBottom(output, x, 7)[0], 8 * (x + 1) + 4 * 7 + 6) << x;
    }
}

TEST(FieldWarpImageTest, TheWeightUsesTheInterpolatedLinesLength) {
    const Bitmap image = PlaneBitmap(16, 16);
    // Both lines land 11 long, 5 rows either side of row 7, so there they
    // count alike although the first one lies 22 long in the image.
    const WarpLine stretchedTo = MakeWarpLine(1, 2, 12, 2);
    const WarpLine stretchedFrom = MakeWarpLine(1, 2, 23, 2);  // alone: column x from 2x - 1
    const WarpLine movedTo = MakeWarpLine(1, 12, 12, 12);
    const WarpLine movedFrom = Shifted(movedTo, 2, 0);  // alone: column x from x + 2
    const Bitmap output = Warp(image, {stretchedFrom, movedFrom}, {stretchedTo, movedTo}, 1.0);
    for (int32_t x = 1; x <= 8; ++x) {
        // Sampled at ((2x - 1) + (x + 2)) / 2 + 0.5 = 1.5x + 1, row 7.5.
        EXPECT_EQ(PixelFromBottom(output, x, 7)[0], 12 * x + 8 + 30) << x;
    }
}

TEST(FieldWarpImageTest, BeyondTheEndsOfALineTheDistanceIsToTheNearerEnd) {
    const Bitmap image = PlaneBitmap(24, 16);
    // Line A stays; line B, as long, moves 2 columns. The pixels lie on A's own
    // extension 5 columns past its start or end, and 5 rows beside B's middle:
    // at equal distances the weights are equal, so the pixel moves 1 column.
    const WarpLine still = MakeWarpLine(6, 2, 12, 2);
    const struct {
        int32_t x;
        WarpLine moved;
    } cases[] = {{1, MakeWarpLine(-2, 7, 4, 7)}, {17, MakeWarpLine(14, 7, 20, 7)}};
    for (const auto& c : cases) {
        const Bitmap output = Warp(image, {still, Shifted(c.moved, 2, 0)}, {still, c.moved}, 1.0);
        EXPECT_EQ(PixelFromBottom(output, c.x, 2)[0], 8 * (c.x + 1) + 4 * 2 + 6) << c.x;
    }
}

struct EdgeCase {
    std::string name;
    int32_t shiftX, shiftY;
    int32_t edgeX, edgeY;  // the column or row every pixel samples; -1 for no edge on that axis
};

class BeyondTheEdgesTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(BeyondTheEdgesTest, MappedPositionsBeyondAnEdgeSampleThatEdge) {
    const EdgeCase& c = GetParam();
    constexpr int32_t W = 9;
    constexpr int32_t H = 6;
    // Channel 0 varies with the column only, channel 1 with the row only.
    Bitmap image(W, H);
    for (int32_t y = 0; y < H; ++y) {
        for (int32_t x = 0; x < W; ++x) {
            PixelFromBottom(image, x, y)[0] = static_cast<uint8_t>(20 + 25 * x);
            PixelFromBottom(image, x, y)[1] = static_cast<uint8_t>(30 + 40 * y);
        }
    }
    // A pure translation: the image line lies shift away from where it lands.
    const WarpLine to = MakeWarpLine(1, 1, 7, 4);
    const Bitmap output = Warp(image, {Shifted(to, c.shiftX, c.shiftY)}, {to}, 1.0);
    for (int32_t y = 0; y < H; ++y) {
        for (int32_t x = 0; x < W; ++x) {
            const uint8_t* p = PixelFromBottom(output, x, y);
            if (c.edgeX >= 0) {
                EXPECT_EQ(p[0], 20 + 25 * c.edgeX) << x << ", " << y;
            }
            if (c.edgeY >= 0) {
                EXPECT_EQ(p[1], 30 + 40 * c.edgeY) << x << ", " << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BeyondTheEdgesTest,
    ::testing::Values(EdgeCase{"Left", -1000, 0, 0, -1}, EdgeCase{"Right", 1000, 0, 8, -1},
                      EdgeCase{"Below", 0, -1000, -1, 0}, EdgeCase{"Above", 0, 1000, -1, 5},
                      EdgeCase{"BelowLeft", -50, -50, 0, 0}, EdgeCase{"AboveRight", 50, 50, 8, 5}),
    [](const ::testing::TestParamInfo<EdgeCase>& info) { return info.param.name; });

TEST(FieldWarpImageTest, NoLinePairFails) {
    const Bitmap image = PlaneBitmap(4, 4);
    EXPECT_THROW(Warp(image, {}, {}, 0.5), WarpFailure);
}

TEST(FieldWarpImageTest, AnInterpolatedLineOfZeroLengthFails) {
    const Bitmap image = PlaneBitmap(12, 6);
    // The line turns end for end, so halfway both ends meet at column 5.
    const WarpLine from = MakeWarpLine(0, 3, 10, 3);
    const WarpLine to = MakeWarpLine(10, 3, 0, 3);
    EXPECT_THROW(Warp(image, {from}, {to}, 0.5), WarpFailure);
    EXPECT_NO_THROW(Warp(image, {from}, {to}, 0.25));
}

TEST(FieldWarpImageTest, LinesAtTheCoordinateLimitsRunWithoutOverflow) {
    // Every product of the pixel loop at its largest; the undefined-behaviour
    // sanitizer sees any signed overflow.
    const int32_t L = FieldCoordinateLimit;
    const std::vector<WarpLine> from{MakeWarpLine(-L, -L, L, L), MakeWarpLine(L, -L, -L, L),
                                     MakeWarpLine(-L, 0, -L, 1), MakeWarpLine(1, 1, 3, 2)};
    const std::vector<WarpLine> to{MakeWarpLine(L, L, -L, -L), MakeWarpLine(-L, -L, L, -L + 1),
                                   MakeWarpLine(L, L, L - 1, L), MakeWarpLine(-L, 2, L, 3)};
    const Bitmap image = NoiseBitmap(7, 5);
    for (double t : {0.0, 0.3, 1.0}) EXPECT_NO_THROW(Warp(image, from, to, t)) << t;
}

TEST(FieldWarpImageTest, CallsOutsideItsTermsAreRefused) {
    const Bitmap image = PlaneBitmap(4, 4);
    const WarpLine line = MakeWarpLine(0, 0, 3, 3);
    const WarpLine tooFar = MakeWarpLine(0, 0, FieldCoordinateLimit + 1, 3);
    EXPECT_THROW(Warp(image, {line}, {line}, 1.5), std::invalid_argument);
    EXPECT_THROW(Warp(image, {line}, {line}, std::nan("")), std::invalid_argument);
    EXPECT_THROW(Warp(image, {line}, {tooFar}, 0.5), std::invalid_argument);
    Bitmap output(4, 4);
    EXPECT_THROW(FieldWarpImage(image.LastRow(), output.LastRow(), &line, 0.5, 4, 4, FieldSlots + 1, &line,
                                image.RowStride()),
                 std::invalid_argument);
    EXPECT_THROW(FieldWarpImage(image.LastRow(), output.LastRow(), &line, 0.5, 4, 4, 1, &line, 11),
                 std::invalid_argument);
}

}  // namespace
}  // namespace kavrell

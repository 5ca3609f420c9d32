#include "engine/scanline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/warp_failure.h"

namespace kavrell {
namespace {

std::vector<double> Positions(int32_t count) {
    std::vector<double> positions(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) positions[i] = i;
    return positions;
}

std::vector<double> Linear(const std::vector<double>& knots, const std::vector<double>& values,
                           int32_t count) {
    const std::vector<double> positions = Positions(count);
    std::vector<double> out(positions.size());
    InterpolateLinear(knots.data(), values.data(), static_cast<int32_t>(knots.size()), positions.data(),
                      out.data(), count);
    return out;
}

// Runs the Catmull-Rom curve; an empty result means it refused.
std::vector<double> CatmullRom(const std::vector<double>& knots, const std::vector<double>& values,
                               int32_t count) {
    const std::vector<double> positions = Positions(count);
    std::vector<double> out(positions.size());
    if (!InterpolateCatmullRom(knots.data(), values.data(), static_cast<int32_t>(knots.size()),
                               positions.data(), out.data(), count)) {
        return {};
    }
    return out;
}

// Resamples one line held in a buffer of exactly its length, so that a read
// past either end shows under AddressSanitizer.
std::vector<uint8_t> Resample(const std::vector<uint8_t>& line, const std::vector<double>& map) {
    const auto len = static_cast<int32_t>(line.size());
    std::vector<uint8_t> out(line.size(), 0);
    ResampleLine(line.data(), out.data(), len, 1, map.data());
    return out;
}

// --- InterpolateLinear ---

TEST(InterpolateLinearTest, FollowsEachSegmentBetweenItsKnots) {
    const std::vector<double> out = Linear({0, 10, 20}, {0, 30, 20}, 21);
    for (int32_t p = 0; p <= 10; ++p) EXPECT_NEAR(out[p], 3.0 * p, 1e-12) << p;
    for (int32_t p = 11; p <= 20; ++p) EXPECT_NEAR(out[p], 30.0 - (p - 10), 1e-12) << p;
}

TEST(InterpolateLinearTest, ExtrapolatesOutsideTheKnotsAndStaysInsideThem) {
    // Positions below the first knot follow the first segment; beyond the
    // last knot the segment stays the last one instead of running past the
    // knot arrays (which hold exactly three entries here).
    const std::vector<double> knots = {5, 10, 15};
    const std::vector<double> values = {50, 100, 200};
    const std::vector<double> out = Linear(knots, values, 30);
    EXPECT_NEAR(out[0], 0.0, 1e-12);
    EXPECT_NEAR(out[5], 50.0, 1e-12);
    EXPECT_NEAR(out[15], 200.0, 1e-12);
    EXPECT_NEAR(out[29], 200.0 + 14 * 20.0, 1e-12);
}

TEST(InterpolateLinearTest, FallsBehindOneKnotPerPositionWhenPositionsSkipKnots) {
    // Knots closer than one step: position 1 advances to the segment 0..0.25
    // only (extrapolated: 4), position 2 to 0.25..0.5 (8), position 3 to
    // 0.5..10, where the curve is caught up again.
    const std::vector<double> out = Linear({0, 0.25, 0.5, 10}, {0, 1, 2, 40}, 4);
    EXPECT_NEAR(out[1], 4.0, 1e-12);
    EXPECT_NEAR(out[2], 8.0, 1e-12);
    EXPECT_NEAR(out[3], 12.0, 1e-12);
}

TEST(InterpolateLinearTest, CoincidingKnotsFailOnlyOnceAPositionPassesThem) {
    const std::vector<double> knots = {0, 10, 10, 20};
    const std::vector<double> values = {0, 5, 15, 20};
    // A position on the double knot stays in the segment ending there.
    const std::vector<double> upToKnot = Linear(knots, values, 11);
    EXPECT_NEAR(upToKnot[10], 5.0, 1e-12);
    // The next one advances onto the empty segment.
    EXPECT_THROW(Linear(knots, values, 12), WarpFailure);
}

TEST(InterpolateLinearTest, KnotsThatDoNotIncreaseStayInsideTheirArrays) {
    const std::vector<double> out = Linear({0, 15, 8, 20}, {0, 30, 2, 50}, 40);
    for (double value : out) EXPECT_TRUE(std::isfinite(value));
}

// --- InterpolateCatmullRom ---

TEST(InterpolateCatmullRomTest, RefusesPositionsOutsideItsKnotsAndLeavesTheOutputAlone) {
    const struct {
        std::vector<double> knots;
        int32_t count;
    } cases[] = {
        {{5, 10, 20}, 21},   // the first position lies below the first knot
        {{0, 10, 15}, 21},   // the last position lies beyond the last knot
        {{-1, -2, -3}, 21},  // decreasing knots: the first position lies above the first
        {{25, 10, 30}, 21},  // decreasing start: the last position below the last knot
    };
    for (const auto& c : cases) {
        const std::vector<double> values(c.knots.size(), 1.0);
        const std::vector<double> positions = Positions(c.count);
        std::vector<double> out(positions.size(), -7.0);
        EXPECT_FALSE(
            InterpolateCatmullRom(c.knots.data(), values.data(), 3, positions.data(), out.data(), c.count));
        for (double value : out) EXPECT_EQ(value, -7.0);
    }
}

TEST(InterpolateCatmullRomTest, PassesThroughEveryKnot) {
    const std::vector<double> values = {3, 17, -4};
    const std::vector<double> out = CatmullRom({0, 10, 20}, values, 21);
    ASSERT_EQ(out.size(), 21u);
    EXPECT_EQ(out[0], 3.0);
    // 10 and 20 are evaluated at the right end of their interval.
    EXPECT_NEAR(out[10], 17.0, 1e-12);
    EXPECT_NEAR(out[20], -4.0, 1e-12);
}

TEST(InterpolateCatmullRomTest, ReproducesAStraightLineThroughTheOrigin) {
    const std::vector<double> knots = {0, 3, 7, 12, 20};
    const std::vector<double> out = CatmullRom(knots, knots, 21);
    ASSERT_EQ(out.size(), 21u);
    for (int32_t p = 0; p <= 20; ++p) EXPECT_NEAR(out[p], p, 1e-12) << p;
}

TEST(InterpolateCatmullRomTest, TakesItsSlopesFromTheNeighbouringKnots) {
    // Slope at knot 10 from its neighbours: (40 - 0) / (20 - 0) = 2; at the
    // ends the end knot stands in for the missing neighbour, so the slope at
    // 0 is 1 and at 20 it is 3. The cubics are then x - 0.1 x^2 + 0.01 x^3
    // on 0..10 and 10 + 2x + 0.2 x^2 - 0.01 x^3 on 10..20.
    const std::vector<double> out = CatmullRom({0, 10, 20}, {0, 10, 40}, 21);
    ASSERT_EQ(out.size(), 21u);
    EXPECT_NEAR(out[5], 3.75, 1e-12);
    EXPECT_NEAR(out[9], 8.19, 1e-12);
    EXPECT_NEAR(out[11], 12.19, 1e-12);
    EXPECT_NEAR(out[15], 23.75, 1e-12);
}

TEST(InterpolateCatmullRomTest, APositionOnTheLastKnotIsEvaluatedInTheLastInterval) {
    // No position lies between the last two knots, so position 10 opens an
    // interval exactly at the last knot; it is taken as the end of the last
    // interval and gives the last value.
    const std::vector<double> out = CatmullRom({0, 9.5, 10}, {0, 50, 60}, 11);
    ASSERT_EQ(out.size(), 11u);
    EXPECT_NEAR(out[9], 50.0 * 9 / 9.5, 1.0);
    EXPECT_NEAR(out[10], 60.0, 1e-9);
}

TEST(InterpolateCatmullRomTest, JumpsOverCoincidingKnots) {
    // The search passes over the empty interval: up to the double knot the
    // curve ends on the first value, right after it starts from the second.
    const std::vector<double> out = CatmullRom({0, 10, 10, 20}, {0, 5, 15, 20}, 21);
    ASSERT_EQ(out.size(), 21u);
    EXPECT_NEAR(out[10], 5.0, 1e-12);
    // Interval 10..20 from 15: slope (20 - 5) / (20 - 10) = 1.5 at its start,
    // a2 = -0.2, a3 = 0.01, so 15 + 1.5 - 0.2 + 0.01 one step in.
    EXPECT_NEAR(out[11], 16.31, 1e-12);
}

TEST(InterpolateCatmullRomTest, FailsWhenAnOpenedIntervalIsEmpty) {
    // The first two knots coincide on the first position.
    EXPECT_THROW(CatmullRom({0, 0, 10}, {0, 1, 2}, 11), WarpFailure);
}

TEST(InterpolateCatmullRomTest, KnotsThatDoNotIncreaseStayInsideTheirArrays) {
    const struct {
        std::vector<double> knots;
        int32_t count;
    } cases[] = {
        {{0, 15, 8, 20}, 21},  // folded back in the middle
        {{0, -5, 7, 30}, 31},  // starts decreasing: every position in the first interval
        {{30, 20, 5}, 21},     // decreasing throughout, positions rising through them
    };
    for (const auto& c : cases) {
        const std::vector<double> values = {0, 10, 20, 30};
        const std::vector<double> positions = Positions(c.count);
        std::vector<double> out(positions.size(), std::nan(""));
        EXPECT_TRUE(InterpolateCatmullRom(c.knots.data(), values.data(), static_cast<int32_t>(c.knots.size()),
                                          positions.data(), out.data(), c.count));
        for (double value : out) EXPECT_TRUE(std::isfinite(value));
    }
}

// --- ResampleLine ---

TEST(ResampleLineTest, IdentityMapReproducesTheWholeLine) {
    const std::vector<uint8_t> line = {0, 17, 255, 3, 128, 99, 200};
    std::vector<double> map(line.size() + 1);
    for (size_t u = 0; u < map.size(); ++u) map[u] = static_cast<double>(u);
    EXPECT_EQ(Resample(line, map), line);
}

TEST(ResampleLineTest, DoublingMapMagnifiesTheFirstHalf) {
    const std::vector<uint8_t> line = {10, 21, 40, 255, 0, 7, 9, 11};
    const auto len = static_cast<int32_t>(line.size());
    std::vector<double> map(line.size() + 1);
    for (int32_t u = 0; u < len; ++u) map[u] = 2.0 * u;
    map[len] = len;
    const std::vector<uint8_t> out = Resample(line, map);
    for (int32_t x = 0; x + 1 < len; x += 2) EXPECT_EQ(out[x], line[x / 2]) << x;
    for (int32_t x = 1; x + 1 < len; x += 2) {
        EXPECT_EQ(out[x], (line[x / 2] + line[x / 2 + 1]) / 2) << x;  // truncated mean
    }
}

TEST(ResampleLineTest, TruncatesTheMeanTowardZero) {
    // A map shifted right by 0.01: output 1 takes 0.01 of the input around
    // 0.99 (99) and 0.99 of input 1 (100), a mean of 99.99.
    const std::vector<uint8_t> line = {0, 100, 100, 100};
    const std::vector<double> map = {0.01, 1.01, 2.01, 3.01, 4};
    EXPECT_EQ(Resample(line, map)[1], 99);
}

TEST(ResampleLineTest, ValuesOutsideTheSampleRangeBecome255) {
    // This map starts at 1.2 and rises by 2 per sample: output 0 ends at
    // input -0.1, so output 1 reads the line extrapolated back from samples
    // 0 and 1 to 1.1 x a - 0.1 x b.
    const std::vector<double> map = {1.2, 3.2, 3.5, 3.8, 4};
    const struct {
        uint8_t a, b;
        uint8_t expected;
    } cases[] = {
        {255, 246, 255},  // 255.9 truncates to 255
        {255, 236, 255},  // 256.9 is beyond the range
        {0, 5, 0},        // -0.5 truncates to 0
        {0, 15, 255},     // -1.5 truncates to -1, which is beyond the range
        {100, 55, 104},   // 104.5 inside the range
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Resample({c.a, c.b, 0, 0}, map)[1], c.expected) << int{c.a} << " " << int{c.b};
    }
}

TEST(ResampleLineTest, LastSampleIsTheMeanOverItsSpan) {
    // Inputs 0..3 are squeezed onto output 0..2 except the last output,
    // which covers input 1 to the end of the line: (100 + 200 + 250) / 3.
    const std::vector<double> map = {0, 3, 3.5, 3.8, 4};
    EXPECT_EQ(Resample({60, 100, 200, 250}, map)[3], 183);
    // A last output inside the last input sample takes that sample.
    const std::vector<double> identity = {0, 1, 2, 3, 4};
    EXPECT_EQ(Resample({60, 100, 200, 250}, identity)[3], 250);
}

TEST(ResampleLineTest, ReadsNothingBeyondTheLastSample) {
    // The line lies in a larger buffer; what follows it must not matter.
    const std::vector<double> map = {0, 3, 3.5, 3.8, 4};
    for (uint8_t guard : {uint8_t{0}, uint8_t{255}}) {
        const std::vector<uint8_t> buffer = {60, 100, 200, 250, guard, guard};
        std::vector<uint8_t> out(4, 0);
        ResampleLine(buffer.data(), out.data(), 4, 1, map.data());
        EXPECT_EQ(out[3], 183);
    }
}

TEST(ResampleLineTest, WalksNegativeSteps) {
    // A column of a bottom-up image: the first sample at the highest address.
    const std::vector<uint8_t> column = {40, 0, 0, 30, 0, 0, 20, 0, 0, 10};
    std::vector<uint8_t> out(column.size(), 0);
    const std::vector<double> identity = {0, 1, 2, 3, 4};
    ResampleLine(column.data() + 9, out.data() + 9, 4, -3, identity.data());
    EXPECT_EQ(out, column);
}

TEST(ResampleLineTest, FailsOnAnOutputSampleWithoutWidth) {
    const std::vector<uint8_t> line = {1, 2, 3, 4};
    // Equal map entries around a searched position.
    EXPECT_THROW(Resample(line, {0, 0, 2, 3, 4}), WarpFailure);
    // A stretch so wide that outputs 1 and 2 both start at input 1.
    EXPECT_THROW(Resample(line, {0, 1, 1e300, 1e300, 4}), WarpFailure);
}

TEST(ResampleLineTest, FoldedMapsStayInsideTheirLines) {
    // Maps that dip, fall, leave the line or end below it: every read stays
    // in the source line and every write in the destination line.
    const std::vector<std::vector<double>> maps = {
        {0, 2.5, 1.5, 6, 7, 8, 9, 7},             // dips back between two positions
        {0, 9, 8, 7, 6, 5, 4, 7},                 // falls after the first sample
        {5, 4, 3, 2, 1, 0.5, 0.25, 7},            // starts high and falls
        {-40, -30, -20, -10, 0, 0.5, 0.7, 7},     // starts far below the line
        {0, 0.001, 0.002, 0.003, 50, 60, 70, 7},  // leaves the line
        {0, -1, -2, -3, -4, -5, -6, -7},          // not even closed by map[len] = len
    };
    for (const std::vector<double>& map : maps) {
        const std::vector<uint8_t> line = {10, 250, 30, 240, 50, 230, 70};
        std::vector<uint8_t> guarded(line.size() + 2, 0xA5);
        ResampleLine(line.data(), guarded.data() + 1, 7, 1, map.data());
        EXPECT_EQ(guarded.front(), 0xA5);
        EXPECT_EQ(guarded.back(), 0xA5);
    }
}

TEST(ResamplePixelsAlongPositionsTest, MatchesOneWalkPerChannel) {
    // Three interleaved channels of a row of 9 pixels with one padding byte,
    // along maps that stretch, squeeze, dip and fold.
    const int32_t len = 9;
    const std::vector<std::vector<double>> maps = {
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
        {0, 0.4, 0.8, 1.7, 3.9, 6.2, 7, 7.5, 8.5, 9},
        {0, 2.5, 1.5, 6, 7, 8, 9, 9.5, 9.7, 9},
        {1.2, 3.2, 3.5, 3.8, 3.9, 5, 5.5, 6, 7, 9},
        {-40, -30, -20, -10, 0, 0.5, 0.7, 20, 30, 9},
    };
    std::vector<uint8_t> pixels(3 * len + 1);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 37 % 256);
    for (const std::vector<double>& map : maps) {
        std::vector<double> inpos(len + 1);
        MapToInputPositions(map.data(), len, inpos.data());
        std::vector<uint8_t> together(pixels.size(), 0);
        std::vector<uint8_t> apart(pixels.size(), 0);
        ResamplePixelsAlongPositions(pixels.data(), together.data(), len, 3, inpos.data());
        for (int32_t k = 0; k < 3; ++k) {
            ResampleLine(pixels.data() + k, apart.data() + k, len, 3, map.data());
        }
        EXPECT_EQ(together, apart);
    }
}

}  // namespace
}  // namespace kavrell

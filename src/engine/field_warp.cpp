#include "engine/field_warp.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <stdexcept>

#include "engine/parallel_bands.h"
#include "engine/warp_failure.h"

namespace kavrell {
namespace {

constexpr double WeightLengthPower = 0.75;  // p
constexpr double WeightOffset = 0.001;      // a: keeps the weight finite on the line

// The weight with the length already raised to its power, which depends only
// on the line and so is computed once per call. The falloff exponent is 2,
// written as a product: a call of pow(ratio, 2) is turned into this product
// by some optimisers and not by others, and the bits must not depend on the
// build.
double WeightOfLengthPower(double lengthPower, double dist) {
    const double ratio = lengthPower / (WeightOffset + dist);
    return ratio * ratio;
}

// A control-point coordinate, already scaled, as a working coordinate. The
// points are never clamped by the editor; the limit leaves room for the
// lengthening of a zero-length line.
int32_t ToWorkingCoordinate(double scaled) {
    if (std::isnan(scaled)) throw WarpFailure("invalid control point coordinate");
    constexpr double limit = FieldCoordinateLimit - 1;
    return static_cast<int32_t>(std::clamp(scaled, -limit, limit));  // truncates toward zero
}

Point32 ToWorking(const Point32& point, double scale, int32_t imageHeight) {
    const int64_t rowFromBottom = static_cast<int64_t>(imageHeight) - 1 - point.y;
    return {ToWorkingCoordinate(point.x * scale),
            ToWorkingCoordinate(static_cast<double>(rowFromBottom) * scale)};
}

WarpLine LineBetween(const Point32& start, const Point32& end) {
    if (start == end) return MakeWarpLine(start.x, start.y, end.x + 1, end.y + 1);
    return MakeWarpLine(start.x, start.y, end.x, end.y);
}

bool WithinWorkingRange(const WarpLine& line) {
    const auto inside = [](int32_t c) { return c >= -FieldCoordinateLimit && c <= FieldCoordinateLimit; };
    return inside(line.x1) && inside(line.y1) && inside(line.x2) && inside(line.y2);
}

int32_t Interpolate(int32_t from, int32_t to, double t) {
    return static_cast<int32_t>(from + (static_cast<double>(to) - from) * t);
}

// Interpolated line n of one call with the power of its length.
struct InterpolatedLine {
    WarpLine line;
    double lengthPower;
};

int64_t SquaredDistance(int64_t dx, int64_t dy) { return dx * dx + dy * dy; }

}  // namespace

WarpLine MakeWarpLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    WarpLine line{x1, y1, x2, y2, x2 - x1, y2 - y1, 0, 0.0};
    line.sqLength = SquaredDistance(line.dx, line.dy);
    line.length = std::sqrt(static_cast<double>(line.sqLength));
    return line;
}

void BuildLinePairs(const Point32* srcPoints, const Point32* dstPoints, int32_t pointCount, double scale,
                    int32_t imageHeight, LinePairs& pairs) {
    pairs.count = 0;
    // Slot i pairs with slot i + 1, which must lie in the lists whatever the count says.
    const int32_t last = std::min(pointCount, FieldSlots - 1);
    for (int32_t i = 0; i < last; ++i) {
        if (!HoldsPoint(srcPoints[i]) || !HoldsPoint(srcPoints[i + 1])) continue;
        pairs.source[pairs.count] = LineBetween(ToWorking(srcPoints[i], scale, imageHeight),
                                                ToWorking(srcPoints[i + 1], scale, imageHeight));
        pairs.destination[pairs.count] = LineBetween(ToWorking(dstPoints[i], scale, imageHeight),
                                                     ToWorking(dstPoints[i + 1], scale, imageHeight));
        ++pairs.count;
    }
}

double LineWeight(double length, double dist) {
    return WeightOfLengthPower(std::pow(length, WeightLengthPower), dist);
}

int32_t RoundSingle(float value) {
    // The default floating-point environment rounds to nearest, halves to even.
    const float rounded = std::nearbyint(value);
    if (std::isnan(rounded)) return 0;
    if (rounded >= 2147483648.0f) return INT32_MAX;
    if (rounded < -2147483648.0f) return INT32_MIN;
    return static_cast<int32_t>(rounded);
}

void SampleBilinear(const uint8_t* image, uint8_t* outputPixel, double X, double Y, int32_t width,
                    int32_t height, int32_t rowStride) {
    if (width < 1 || height < 1) return;
    // Written so that NaN also lands on the first column or row.
    if (!(X >= 0.0)) X = 0.0;
    if (!(Y >= 0.0)) Y = 0.0;
    if (X > width - 1) X = width - 1;
    if (Y > height - 1) Y = height - 1;
    const auto ix = static_cast<int32_t>(std::floor(X));
    const auto iy = static_cast<int32_t>(std::floor(Y));
    const double fx = X - ix;
    const double fy = Y - iy;

    // At the last column and the top row the missing neighbour only meets a
    // weight of zero; the pixel itself stands in for it.
    const uint8_t* p00 = image + static_cast<ptrdiff_t>(iy) * rowStride + 3 * static_cast<ptrdiff_t>(ix);
    const uint8_t* p10 = ix < width - 1 ? p00 + 3 : p00;
    const uint8_t* p01 = iy < height - 1 ? p00 + rowStride : p00;
    const uint8_t* p11 = iy < height - 1 ? p10 + rowStride : p10;
    for (int channel = 0; channel < 3; ++channel) {
        const double top = (1.0 - fx) * p00[channel] + fx * p10[channel];
        const double bottom = (1.0 - fx) * p01[channel] + fx * p11[channel];
        const double value = (1.0 - fy) * top + fy * bottom;
        outputPixel[channel] =
            static_cast<uint8_t>(std::clamp(RoundSingle(static_cast<float>(value)), 0, 255));
    }
}

void FieldWarpImage(const uint8_t* image, uint8_t* output, const WarpLine* fromLines, double t, int32_t width,
                    int32_t height, int32_t lineCount, const WarpLine* toLines, int32_t rowStride) {
    if (lineCount > FieldSlots) throw std::invalid_argument("more line pairs than the line arrays hold");
    if (width > FieldCoordinateLimit + 1 || height > FieldCoordinateLimit + 1) {
        throw std::invalid_argument("image too large for the field warp");
    }
    if (rowStride < 3 * static_cast<int64_t>(width))
        throw std::invalid_argument("row stride shorter than a row");
    if (!(t >= 0.0 && t <= 1.0)) throw std::invalid_argument("share t outside 0 to 1");
    // Without a pair every weight sum is zero and no sample position exists.
    if (lineCount <= 0) throw WarpFailure("no line pair");

    std::array<InterpolatedLine, FieldSlots> lines;
    for (int32_t n = 0; n < lineCount; ++n) {
        const WarpLine& from = fromLines[n];
        const WarpLine& to = toLines[n];
        if (!WithinWorkingRange(from) || !WithinWorkingRange(to)) {
            throw std::invalid_argument("line outside the working coordinate range");
        }
        const WarpLine line = MakeWarpLine(Interpolate(from.x1, to.x1, t), Interpolate(from.y1, to.y1, t),
                                           Interpolate(from.x2, to.x2, t), Interpolate(from.y2, to.y2, t));
        // Crossing lines can meet in one pixel on the way; u and v have no divisor then.
        if (line.sqLength == 0) throw WarpFailure("interpolated line of zero length");
        lines[n] = {line, std::pow(line.length, WeightLengthPower)};
    }

    // Rows are independent; each band of rows computes exactly what one pass would.
    ForEachBand(height, [&](int32_t firstRow, int32_t endRow) {
        for (int32_t y = firstRow; y < endRow; ++y) {
            uint8_t* outputPixel = output + static_cast<ptrdiff_t>(y) * rowStride;
            for (int32_t x = 0; x < width; ++x, outputPixel += 3) {
                double sumX = 0.0;
                double sumY = 0.0;
                double sumWeight = 0.0;
                for (int32_t n = 0; n < lineCount; ++n) {
                    const WarpLine& I = lines[n].line;
                    const WarpLine& F = fromLines[n];
                    const int64_t fromStartX = static_cast<int64_t>(x) - I.x1;
                    const int64_t fromStartY = static_cast<int64_t>(y) - I.y1;
                    const int64_t along = fromStartX * I.dx + fromStartY * I.dy;
                    const int64_t across = fromStartY * I.dx - fromStartX * I.dy;
                    const double u = static_cast<double>(along) / static_cast<double>(I.sqLength);
                    const double v = static_cast<double>(across) / I.length;

                    double dist;
                    if (u <= 0.0) {
                        dist = std::sqrt(static_cast<double>(SquaredDistance(fromStartX, fromStartY)));
                    } else if (u >= 1.0) {
                        const int64_t fromEndX = static_cast<int64_t>(x) - I.x2;
                        const int64_t fromEndY = static_cast<int64_t>(y) - I.y2;
                        dist = std::sqrt(static_cast<double>(SquaredDistance(fromEndX, fromEndY)));
                    } else {
                        dist = std::fabs(v);
                    }

                    const double mappedX = F.x1 + u * F.dx - v * F.dy / F.length;
                    const double mappedY = F.y1 + u * F.dy + v * F.dx / F.length;
                    // The weight uses the interpolated line's length, not the image line's.
                    const double weight = WeightOfLengthPower(lines[n].lengthPower, dist);
                    sumX += (mappedX - x) * weight;
                    sumY += (mappedY - y) * weight;
                    sumWeight += weight;
                }
                const double X = x + CheckedDivide(sumX, sumWeight) + 0.5;
                const double Y = y + CheckedDivide(sumY, sumWeight) + 0.5;
                SampleBilinear(image, outputPixel, X, Y, width, height, rowStride);
            }
        }
    });
}

}  // namespace kavrell

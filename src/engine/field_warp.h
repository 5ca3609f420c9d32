#pragma once

#include <array>
#include <cstdint>

#include "engine/control_points.h"

namespace kavrell {

// One line in working-image coordinates: columns from the left, rows from the
// bottom. Built by MakeWarpLine, which fills the derived fields.
struct WarpLine {
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t dx;        // x2 - x1
    int32_t dy;        // y2 - y1
    int64_t sqLength;  // dx * dx + dy * dy
    double length;     // square root of sqLength
};

// Working coordinates of lines lie within +-FieldCoordinateLimit. The bound
// keeps every difference in 32 bits and every product of the pixel loop in
// 64 bits, for images up to FieldCoordinateLimit + 1 pixels a side.
inline constexpr int32_t FieldCoordinateLimit = (1 << 30) - 1;

// A line from (x1, y1) to (x2, y2), coordinates within +-FieldCoordinateLimit,
// with its differences and length; no adjustment for a zero length.
WarpLine MakeWarpLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// The line pairs of the field polylines: source[n] and destination[n] form
// pair n. At most FieldSlots - 1 pairs, since a pair needs two slots.
struct LinePairs {
    std::array<WarpLine, FieldSlots> source;
    std::array<WarpLine, FieldSlots> destination;
    int32_t count = 0;
};

// Builds a line pair from every two consecutive source slots that both hold a
// point (the destination slots are not tested), of the first pointCount slots
// of the two field lists (FieldSlots entries each), converted to working
// coordinates: x' = trunc(x * scale), y' = trunc((imageHeight - 1 - y) *
// scale), limited to +-(FieldCoordinateLimit - 1). A line whose ends meet
// becomes one from (x', y') to (x' + 1, y' + 1), so no pair has a line of zero
// length.
void BuildLinePairs(const Point32* srcPoints, const Point32* dstPoints, int32_t pointCount, double scale,
                    int32_t imageHeight, LinePairs& pairs);

// The influence of a line pair on a pixel dist away from its interpolated
// line: (length ^ 0.75 / (0.001 + dist)) ^ 2.
double LineWeight(double length, double dist);

// Nearest integer, halves to even, in single precision. Values beyond the
// 32-bit range saturate; NaN gives 0.
int32_t RoundSingle(float value);

// Writes into outputPixel (three bytes) the image, a last-row pointer of a
// width x height working image with rows rowStride bytes apart, sampled
// bilinearly at (X, Y), X a column and Y a row from the bottom. Positions
// beyond an edge sample that edge; nothing outside the image is read.
void SampleBilinear(const uint8_t* image, uint8_t* outputPixel, double X, double Y, int32_t width,
                    int32_t height, int32_t rowStride);

// Warps image into output (last-row pointers of two width x height working
// images with rows rowStride bytes apart): every output pixel samples the
// image at the distance-weighted mean of the positions that each pair alone
// gives, for the lines lying the share t of the way from fromLines (as they
// lie in the image) to toLines. Writes every pixel of output and no row
// padding. Raises WarpFailure when there is no pair or an interpolated line
// has zero length, and std::invalid_argument for a call outside these terms
// (t outside 0..1, more than FieldSlots pairs, a line beyond
// FieldCoordinateLimit, rows shorter than the image).
void FieldWarpImage(const uint8_t* image, uint8_t* output, const WarpLine* fromLines, double t, int32_t width,
                    int32_t height, int32_t lineCount, const WarpLine* toLines, int32_t rowStride);

}  // namespace kavrell

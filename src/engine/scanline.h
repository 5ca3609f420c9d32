#pragma once

#include <cstdint>

namespace kavrell {

// One-dimensional tools of the two-pass mesh warp. Knots are positions along
// a line, expected to increase; values belong to the knots. Whatever the
// knots, positions and maps, no tool reads or writes outside its arrays.
// A zero divisor (two knots or map entries bounding an evaluated interval
// coincide, or an output sample has no width) raises WarpFailure.

// Piecewise-linear curve through (knots[i], values[i]), i < knotCount (at
// least 2), evaluated at positions[0 .. count - 1] into output. The segment
// advances by at most one knot per position and never beyond the last knot,
// so positions outside the knots extrapolate along the nearest segment the
// scan has reached.
void InterpolateLinear(const double* knots, const double* values, int32_t knotCount, const double* positions,
                       double* output, int32_t count);

// Catmull-Rom curve through the same kind of knots (knotCount at least 2),
// evaluated at increasing positions. Refuses (returns false, output
// untouched) when the first or last position lies outside the knots; the
// caller then falls back to the linear curve.
bool InterpolateCatmullRom(const double* knots, const double* values, int32_t knotCount,
                           const double* positions, double* output, int32_t count);

// Moves the len samples of one image line (one channel: neighbouring samples
// lie step bytes apart, step may be negative) to the places given by map:
// input sample u lands on output position map[u]; map has len + 1 entries and
// map[len] is len. Each output sample is the mean of the linearly
// interpolated input over the span it covers, truncated to a whole number;
// values outside 0..255 become 255. All len output samples are written; the
// line is held at its last sample beyond its end, so nothing past it is read.
// inpos is scratch room for len + 1 doubles.
void ResampleLine(const uint8_t* source, uint8_t* destination, int32_t len, int32_t step, const double* map,
                  double* inpos);

// The same with its own scratch table.
void ResampleLine(const uint8_t* source, uint8_t* destination, int32_t len, int32_t step, const double* map);

// The two halves of ResampleLine, for callers that resample several
// channels along one map: first the input position that lands on each
// output position (len + 1 entries), then one channel along them.
void MapToInputPositions(const double* map, int32_t len, double* inpos);
void ResampleAlongPositions(const uint8_t* source, uint8_t* destination, int32_t len, int32_t step,
                            const double* inpos);

// ResampleAlongPositions for the three channels of a line of 24-bit pixels at
// once (each pixel's channels are the three bytes from its address), with
// the same result as one call per channel.
void ResamplePixelsAlongPositions(const uint8_t* source, uint8_t* destination, int32_t len, int32_t step,
                                  const double* inpos);

}  // namespace kavrell

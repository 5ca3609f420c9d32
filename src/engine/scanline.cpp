#include "engine/scanline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "engine/warp_failure.h"

namespace kavrell {
namespace {

[[noreturn]] void FailOverflow() { throw WarpFailure("overflow"); }

// An overflowing curve would turn into infinities further on; like a zero
// divisor it fails the generation.
inline double Finite(double value) {
    if (!std::isfinite(value)) [[unlikely]]
        FailOverflow();
    return value;
}

// Index of the Catmull-Rom interval that position p opens: for increasing
// knots the first knot at or above p, one back when p lies below it; for
// decreasing knots the first knot at or below p, one back when p lies above
// it. firstAtOrAbove carries the search for increasing knots from one
// position to the next: with increasing positions that first knot never lies
// further left. A position on the last knot is evaluated in the last
// interval, which ends there, and the result is always a whole interval
// inside the knots.
int32_t OpenedInterval(const double* knots, int32_t knotCount, double p, bool increasing,
                       int32_t& firstAtOrAbove) {
    int32_t j = 0;
    if (increasing) {
        j = firstAtOrAbove;
        while (j < knotCount && knots[j] < p) ++j;
        firstAtOrAbove = j;
        if (j < knotCount && p < knots[j]) --j;
    } else {
        while (j < knotCount && knots[j] > p) ++j;
        if (j < knotCount && p > knots[j]) --j;
    }
    return std::clamp(j, 0, knotCount - 2);
}

// A resampled value stored as a sample: truncated toward zero; whatever does
// not fit 0..255 read as an unsigned number, negative values included,
// becomes 255. The range test comes first, so no conversion can overflow.
uint8_t StoreSample(double q) {
    if (q > -1.0 && q < 256.0) return static_cast<uint8_t>(static_cast<int32_t>(q));
    return 255;
}

// Resamples the channels at the first Channels bytes of every sample of a
// line along one table of input positions. The walk through the line depends
// on the positions alone, so each channel gets exactly the arithmetic a walk
// of its own would give it.
template <int Channels>
void ResampleChannels(const uint8_t* source, uint8_t* destination, int32_t len, int32_t step,
                      const double* inpos) {
    if (len <= 0) return;
    const int32_t lastSample = len - 1;
    // Beyond its end the line holds its last sample.
    auto load = [&](int32_t i, double* into) {
        const uint8_t* sample = source + static_cast<ptrdiff_t>(std::min(i, lastSample)) * step;
        for (int k = 0; k < Channels; ++k) into[k] = sample[k];
    };

    double inseg = 1.0;  // the part of the current input sample not yet consumed
    double outseg = inpos[1];
    double sizfac = inpos[1];
    double acc[Channels] = {};
    double a[Channels];
    double b[Channels];
    load(0, a);
    load(1, b);
    int32_t next = 2;  // index of the next input sample to read
    uint8_t* out = destination;
    // Output u - 1 covers the input from inpos[u - 1] to inpos[u]. The last
    // one, u = len, runs to the end of the line.
    for (int32_t u = 1;;) {
        // Once a and b both hold the last sample, the rest of the line is
        // that sample: the current output takes it for the rest of its span
        // without stepping through the samples beyond the end one by one.
        const bool pastEnd = next > len;
        if (inseg < outseg && !pastEnd) {
            for (int k = 0; k < Channels; ++k) {
                const double val = a[k] * inseg + (1.0 - inseg) * b[k];
                acc[k] += val * inseg;
                a[k] = b[k];
            }
            outseg -= inseg;
            inseg = 1.0;
            load(next++, b);
        } else {
            for (int k = 0; k < Channels; ++k) {
                const double val = pastEnd ? a[k] : a[k] * inseg + (1.0 - inseg) * b[k];
                acc[k] += val * outseg;
                out[k] = StoreSample(CheckedDivide(acc[k], sizfac));
                acc[k] = 0.0;
            }
            if (u == len) break;
            out += step;
            inseg -= outseg;
            ++u;
            outseg = inpos[u] - inpos[u - 1];
            sizfac = outseg;
        }
    }
}

}  // namespace

void InterpolateLinear(const double* knots, const double* values, int32_t knotCount, const double* positions,
                       double* output, int32_t count) {
    double leftKnot = knots[0];
    double leftValue = values[0];
    double rightKnot = knots[1];
    double rightValue = values[1];
    int32_t k = 0;
    for (int32_t i = 0; i < count; ++i) {
        const double p = positions[i];
        // The first advance keeps the segment knots[0]..knots[1]; afterwards
        // the segment ends at knots[k]. A position on a knot stays in the
        // segment that ends there.
        if (p > knots[k] && k + 1 < knotCount) {
            leftKnot = knots[k];
            leftValue = values[k];
            rightKnot = knots[k + 1];
            rightValue = values[k + 1];
            ++k;
        }
        const double f = CheckedDivide(p - leftKnot, rightKnot - leftKnot);
        const long double value =
            leftValue + (static_cast<long double>(rightValue) - leftValue) * static_cast<long double>(f);
        output[i] = Finite(static_cast<double>(value));
    }
}

bool InterpolateCatmullRom(const double* knots, const double* values, int32_t knotCount,
                           const double* positions, double* output, int32_t count) {
    if (count <= 0) return true;
    const bool increasing = knots[0] < knots[1];
    const double first = positions[0];
    const double last = positions[count - 1];
    if (increasing ? (first < knots[0] || last > knots[knotCount - 1])
                   : (first > knots[0] || last < knots[knotCount - 1])) {
        return false;
    }

    // The end of the current interval starts one step before the first
    // position, so that position opens an interval.
    double end = increasing ? first - 1.0 : first + 1.0;
    double begin = 0.0;
    double a0 = 0.0, a1 = 0.0, a2 = 0.0, a3 = 0.0;
    int32_t firstAtOrAbove = 0;
    double previous = first;
    for (int32_t i = 0; i < count; ++i) {
        const double p = positions[i];
        if (p < previous) firstAtOrAbove = 0;  // positions went back: search from the start
        previous = p;
        if (increasing ? p > end : p < end) {
            const int32_t j = OpenedInterval(knots, knotCount, p, increasing, firstAtOrAbove);
            const int32_t j1 = std::max(j - 1, 0);
            const int32_t j2 = std::min(j + 2, knotCount - 1);
            begin = knots[j];
            end = knots[j + 1];
            const double d = CheckedDivide(1.0, end - begin);
            const double d1 = CheckedDivide(1.0, end - knots[j1]);
            const double d2 = CheckedDivide(1.0, knots[j2] - begin);
            const double s = (values[j + 1] - values[j]) * d;
            const double s1 = (values[j + 1] - values[j1]) * d1;
            const double s2 = (values[j2] - values[j]) * d2;
            a0 = values[j];
            a1 = s1;
            a2 = d * (3.0 * s - 2.0 * s1 - s2);
            a3 = d * d * (-2.0 * s + s1 + s2);
        }
        const double x = p - begin;
        output[i] = Finite(((a3 * x + a2) * x + a1) * x + a0);
    }
    return true;
}

void MapToInputPositions(const double* map, int32_t len, double* inpos) {
    int32_t u = 0;
    for (int32_t x = 0; x < len; ++x) {
        // map[len] = len stops the search for every x; the bound keeps it
        // there even for a map that does not end that way.
        while (u + 1 < len && x > map[u + 1]) ++u;
        inpos[x] = u + CheckedDivide(x - map[u], map[u + 1] - map[u]);
    }
    inpos[len] = len;
}

void ResampleAlongPositions(const uint8_t* source, uint8_t* destination, int32_t len, int32_t step,
                            const double* inpos) {
    ResampleChannels<1>(source, destination, len, step, inpos);
}

void ResamplePixelsAlongPositions(const uint8_t* source, uint8_t* destination, int32_t len, int32_t step,
                                  const double* inpos) {
    ResampleChannels<3>(source, destination, len, step, inpos);
}

void ResampleLine(const uint8_t* source, uint8_t* destination, int32_t len, int32_t step, const double* map,
                  double* inpos) {
    if (len <= 0) return;
    MapToInputPositions(map, len, inpos);
    ResampleAlongPositions(source, destination, len, step, inpos);
}

void ResampleLine(const uint8_t* source, uint8_t* destination, int32_t len, int32_t step, const double* map) {
    if (len <= 0) return;
    std::vector<double> inpos(static_cast<size_t>(len) + 1);
    ResampleLine(source, destination, len, step, map, inpos.data());
}

}  // namespace kavrell

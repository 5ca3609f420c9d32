#pragma once

#include <cstdint>
#include <functional>

namespace kavrell {

// The number of threads the warps spread their pixel lines over; 0 (the
// default) means one per hardware thread. A count of 1 runs everything on
// the calling thread.
void SetWarpThreadCount(int32_t threads);
int32_t WarpThreadCount();

// Runs body(begin, end) over [0, count) cut into contiguous bands, one per
// warp thread, the first band on the calling thread, and waits for all of
// them. Each band computes exactly what one pass over it would, so the result
// does not depend on the thread count as long as body writes only its own
// lines. An exception from a band is rethrown after every band has ended;
// of several, the one from the lowest band.
void ForEachBand(int32_t count, const std::function<void(int32_t begin, int32_t end)>& body);

}  // namespace kavrell

#pragma once

#include <cstddef>
#include <cstdint>

namespace kavrell {

// The largest image that is read, in pixels: a 100-megapixel photo
// (11648 x 8736) passes.
inline constexpr int64_t kLargestImagePixels = 120'000'000;

// The largest image file that is read: eight bytes a pixel (16-bit RGBA
// stored plainly) with room to spare.
inline constexpr size_t kLargestImageFileBytes = size_t{1} << 30;

}  // namespace kavrell

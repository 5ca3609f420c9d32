#pragma once

#include <cstdint>

#include "platform/bitmap.h"

namespace kavrell {

// Fills target with source resampled to width x height by the fast linear
// filter: each target pixel centre is mapped onto the source and the four
// nearest source pixels are blended bilinearly (edges are repeated). A side
// below 1 is taken as 1. The result depends only on the inputs.
void ResampleTo(const Bitmap& source, Bitmap& target, int32_t width, int32_t height);

// Cross-dissolve: every channel of target becomes
//   target x percent / 100 + other x (100 - percent) / 100,
// rounded to the nearest integer with exact halves rounded up. percent is the
// share of target and is limited to 0..100. Only the area that both bitmaps
// cover is blended.
void MergeIEBitmap(Bitmap& target, const Bitmap& other, int32_t percent);

}  // namespace kavrell

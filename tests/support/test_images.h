#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/bitmap.h"

namespace kavrell::test {

// A bitmap whose channels vary smoothly and differently across the image, so
// that any misplaced pixel shows.
inline Bitmap GradientBitmap(int32_t width, int32_t height) {
    Bitmap bitmap(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = bitmap.Pixel(x, y);
            pixel[0] = static_cast<uint8_t>(x * 255 / std::max(1, width - 1));
            pixel[1] = static_cast<uint8_t>(y * 255 / std::max(1, height - 1));
            pixel[2] = static_cast<uint8_t>((x + 2 * y) % 256);
        }
    }
    return bitmap;
}

inline Bitmap SolidBitmap(int32_t width, int32_t height, uint8_t r, uint8_t g, uint8_t b) {
    Bitmap bitmap(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = bitmap.Pixel(x, y);
            pixel[0] = r;
            pixel[1] = g;
            pixel[2] = b;
        }
    }
    return bitmap;
}

// The largest difference of one channel between two bitmaps of equal size.
inline int MaxChannelDifference(const Bitmap& a, const Bitmap& b) {
    int largest = 0;
    for (int32_t y = 0; y < a.Height(); ++y) {
        for (int32_t x = 0; x < 3 * a.Width(); ++x) {
            largest = std::max(largest, std::abs(a.ScanLine(y)[x] - b.ScanLine(y)[x]));
        }
    }
    return largest;
}

}  // namespace kavrell::test

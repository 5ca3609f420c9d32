#include "platform/bitmap.h"

#include <cassert>

namespace kavrell {

int32_t RowStrideFor(int32_t width) {
    const int32_t bytes = 3 * width;
    return (bytes + 3) / 4 * 4;
}

Bitmap::Bitmap(int32_t width, int32_t height) { Resize(width, height); }

void Bitmap::Resize(int32_t width, int32_t height) {
    if (width < 1 || height < 1) width = height = 0;
    width_ = width;
    height_ = height;
    stride_ = RowStrideFor(width);
    data_.assign(static_cast<size_t>(stride_) * static_cast<size_t>(height), 0);
}

uint8_t* Bitmap::ScanLine(int32_t y) {
    assert(y >= 0 && y < height_);
    return data_.data() + static_cast<ptrdiff_t>(height_ - 1 - y) * stride_;
}

const uint8_t* Bitmap::ScanLine(int32_t y) const {
    assert(y >= 0 && y < height_);
    return data_.data() + static_cast<ptrdiff_t>(height_ - 1 - y) * stride_;
}

}  // namespace kavrell

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kavrell {

enum class PixelFormat { Rgb24 };

// Number of bytes of one row of a 24-bit image: 3 x width rounded up to a
// multiple of 4.
int32_t RowStrideFor(int32_t width);

// A 24-bit image in the working format: three bytes per pixel, rows padded to
// a multiple of four bytes and stored bottom-up, so the bottom row lies at the
// lowest address. The warps walk it through the address of that last row.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int32_t width, int32_t height);

    // Reallocates to the given size; the pixels (and the row padding) become 0.
    // A side below 1 gives an empty bitmap.
    void Resize(int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    PixelFormat Format() const { return PixelFormat::Rgb24; }
    int32_t RowStride() const { return stride_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // First byte of row y, counted from the top.
    uint8_t* ScanLine(int32_t y);
    const uint8_t* ScanLine(int32_t y) const;

    // First byte of the bottom row, the lowest address of the pixels.
    uint8_t* LastRow() { return data_.data(); }
    const uint8_t* LastRow() const { return data_.data(); }

    // Pixel (x, y) counted from the top-left corner, three bytes.
    uint8_t* Pixel(int32_t x, int32_t y) { return ScanLine(y) + 3 * static_cast<ptrdiff_t>(x); }
    const uint8_t* Pixel(int32_t x, int32_t y) const { return ScanLine(y) + 3 * static_cast<ptrdiff_t>(x); }

    // Makes this bitmap an exact copy of other, size included.
    void CopyFrom(const Bitmap& other) { *this = other; }

    bool operator==(const Bitmap& other) const = default;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    std::vector<uint8_t> data_;
};

}  // namespace kavrell

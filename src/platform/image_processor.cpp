#include "platform/image_processor.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kavrell {
namespace {

// Source sample pair and the weight of the second one, in 1/256, for every
// target position along one axis.
struct LinearTap {
    int32_t first;
    int32_t second;
    int32_t weight;
};

std::vector<LinearTap> LinearTaps(int32_t sourceLength, int32_t targetLength) {
    std::vector<LinearTap> taps(static_cast<size_t>(targetLength));
    const double scale = static_cast<double>(sourceLength) / targetLength;
    for (int32_t i = 0; i < targetLength; ++i) {
        double position = (i + 0.5) * scale - 0.5;
        position = std::clamp(position, 0.0, static_cast<double>(sourceLength - 1));
        const auto first = static_cast<int32_t>(position);
        const int32_t second = std::min(first + 1, sourceLength - 1);
        const auto weight = static_cast<int32_t>(std::lround((position - first) * 256.0));
        taps[static_cast<size_t>(i)] = {first, second, weight};
    }
    return taps;
}

}  // namespace

void ResampleTo(const Bitmap& source, Bitmap& target, int32_t width, int32_t height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    target.Resize(width, height);
    if (source.Empty()) return;

    const std::vector<LinearTap> columns = LinearTaps(source.Width(), width);
    const std::vector<LinearTap> rows = LinearTaps(source.Height(), height);
    for (int32_t y = 0; y < height; ++y) {
        const LinearTap& row = rows[static_cast<size_t>(y)];
        const uint8_t* upper = source.ScanLine(row.first);
        const uint8_t* lower = source.ScanLine(row.second);
        uint8_t* out = target.ScanLine(y);
        for (int32_t x = 0; x < width; ++x) {
            const LinearTap& column = columns[static_cast<size_t>(x)];
            const int32_t left = 3 * column.first;
            const int32_t right = 3 * column.second;
            for (int32_t k = 0; k < 3; ++k) {
                const int32_t top =
                    upper[left + k] * (256 - column.weight) + upper[right + k] * column.weight;
                const int32_t bottom =
                    lower[left + k] * (256 - column.weight) + lower[right + k] * column.weight;
                const int32_t value = top * (256 - row.weight) + bottom * row.weight;
                out[3 * x + k] = static_cast<uint8_t>((value + 32768) >> 16);
            }
        }
    }
}

void MergeIEBitmap(Bitmap& target, const Bitmap& other, int32_t percent) {
    percent = std::clamp(percent, 0, 100);
    const int32_t width = std::min(target.Width(), other.Width());
    const int32_t height = std::min(target.Height(), other.Height());
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* out = target.ScanLine(y);
        const uint8_t* in = other.ScanLine(y);
        for (int32_t i = 0; i < 3 * width; ++i) {
            out[i] = static_cast<uint8_t>((out[i] * percent + in[i] * (100 - percent) + 50) / 100);
        }
    }
}

}  // namespace kavrell

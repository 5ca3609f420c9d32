#include "morph/mesh_lattice.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kavrell {
namespace {

int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t LatticeStep(int32_t side, int32_t count) {
    return static_cast<int32_t>(std::ceil(static_cast<double>(side) / (count + 1)));
}

Point32 LatticeNode(int32_t width, int32_t height, int32_t cols, int32_t rows, int32_t i, int32_t j) {
    const int32_t x = i == cols + 1 ? width - 1 : Saturate(int64_t{i} * LatticeStep(width, cols));
    const int32_t y = j == rows + 1 ? height - 1 : Saturate(int64_t{j} * LatticeStep(height, rows));
    return {x, y};
}

}  // namespace kavrell

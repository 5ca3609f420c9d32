#include "morph/mesh_lattice.h"

#include <cmath>

namespace kavrell {

int32_t LatticeStep(int32_t side, int32_t count) {
    return static_cast<int32_t>(std::ceil(static_cast<double>(side) / (count + 1)));
}

Point32 LatticeNode(int32_t width, int32_t height, int32_t cols, int32_t rows, int32_t i, int32_t j) {
    const int32_t x = i == cols + 1 ? width - 1 : SaturateToInt32(int64_t{i} * LatticeStep(width, cols));
    const int32_t y = j == rows + 1 ? height - 1 : SaturateToInt32(int64_t{j} * LatticeStep(height, rows));
    return {x, y};
}

std::vector<Point32> MeshLattice(int32_t width, int32_t height, int32_t cols, int32_t rows) {
    std::vector<Point32> nodes(static_cast<size_t>(cols + 2) * static_cast<size_t>(rows + 2));
    for (int32_t i = 0; i <= cols + 1; ++i) {
        for (int32_t j = 0; j <= rows + 1; ++j)
            nodes[NodeIndex(i, j, rows)] = LatticeNode(width, height, cols, rows, i, j);
    }
    return nodes;
}

}  // namespace kavrell

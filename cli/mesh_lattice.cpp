#include "cli/mesh_lattice.h"

#include "morph/mesh_lattice.h"

namespace kavrell::cli {

std::vector<Point32> MeshLattice(int32_t width, int32_t height, int32_t cols, int32_t rows) {
    std::vector<Point32> nodes;
    nodes.reserve(static_cast<size_t>(cols + 2) * static_cast<size_t>(rows + 2));
    for (int32_t i = 0; i <= cols + 1; ++i) {
        for (int32_t j = 0; j <= rows + 1; ++j) nodes.push_back(LatticeNode(width, height, cols, rows, i, j));
    }
    return nodes;
}

}  // namespace kavrell::cli

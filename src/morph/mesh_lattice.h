#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/control_points.h"

namespace kavrell {

// The whole-pixel step of the regular mesh along one side of the image:
// side / (count + 1), divided in floating point and rounded up.
int32_t LatticeStep(int32_t side, int32_t count);

// Node [i][j] of the regular mesh of cols x rows interior nodes that "Create
// mesh" lays over a width x height image: (i x dx, j x dy) from the top-left
// corner, with the right border column on width - 1 and the bottom border
// row on height - 1. Interior nodes may lie past the border when the steps
// round up far enough.
Point32 LatticeNode(int32_t width, int32_t height, int32_t cols, int32_t rows, int32_t i, int32_t j);

// A node grid of cols x rows interior nodes, border included, held in one
// list: (cols + 2) x (rows + 2) nodes, [column][row] flattened as
// column x (rows + 2) + row.
inline size_t NodeIndex(int32_t column, int32_t row, int32_t rows) {
    return static_cast<size_t>(column) * static_cast<size_t>(rows + 2) + static_cast<size_t>(row);
}

// The whole regular mesh in that list order.
std::vector<Point32> MeshLattice(int32_t width, int32_t height, int32_t cols, int32_t rows);

// True for a node of the border: column 0 or cols + 1, row 0 or rows + 1.
inline bool IsBorderNode(int32_t column, int32_t row, int32_t cols, int32_t rows) {
    return column == 0 || row == 0 || column == cols + 1 || row == rows + 1;
}

}  // namespace kavrell

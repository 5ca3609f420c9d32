#pragma once

#include <cstdint>
#include <vector>

#include "morph/warp_state.h"

namespace kavrell::cli {

// The regular mesh that "Create mesh" lays over a width x height image for
// cols x rows interior nodes, border included: (cols + 2) x (rows + 2) nodes,
// [column][row] flattened as column * (rows + 2) + row. The project parser
// needs it without an editor session, to fill in a missing mesh and to check
// that the border nodes stay where the editor puts them.
std::vector<Point32> MeshLattice(int32_t width, int32_t height, int32_t cols, int32_t rows);

// True for a node of the border: column 0 or cols + 1, row 0 or rows + 1.
inline bool IsBorderNode(int32_t column, int32_t row, int32_t cols, int32_t rows) {
    return column == 0 || row == 0 || column == cols + 1 || row == rows + 1;
}

}  // namespace kavrell::cli

#pragma once

#include <cstdint>

#include "morph/warp_state.h"

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

}  // namespace kavrell

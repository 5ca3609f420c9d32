#pragma once

#include <cstdint>

#include "morph/mesh_lattice.h"
#include "morph/warp_state.h"

namespace kavrell::test {

// Lays a regular mesh of cols x rows interior nodes, source and destination
// alike, the way the editor creates one.
inline void LayRegularMesh(WarpObjStru& warp, int32_t width, int32_t height, int32_t cols, int32_t rows) {
    warp.meshCols = cols;
    warp.meshRows = rows;
    for (int32_t i = 0; i <= cols + 1; ++i) {
        for (int32_t j = 0; j <= rows + 1; ++j) {
            warp.srcNodes[i][j] = warp.dstNodes[i][j] = LatticeNode(width, height, cols, rows, i, j);
        }
    }
}

// Appends a source point and its destination partner to the field lists.
inline void AddPointPair(WarpObjStru& warp, Point32 source, Point32 destination) {
    warp.srcPoints[warp.pointCount] = source;
    warp.dstPoints[warp.pointCount] = destination;
    ++warp.pointCount;
}

// Ends the current polyline: a counted slot left empty in both lists.
inline void AddLineBreak(WarpObjStru& warp) { ++warp.pointCount; }

}  // namespace kavrell::test

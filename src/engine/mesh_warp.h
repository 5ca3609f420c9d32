#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/control_points.h"

namespace kavrell {

// One mesh in working coordinates: Cols nodes per mesh row, Rows per mesh
// column, node (c, r) at index r * Cols + c of X and Y.
struct MeshCoords {
    int32_t Cols = 0;
    int32_t Rows = 0;
    std::vector<double> X;
    std::vector<double> Y;

    MeshCoords() = default;
    MeshCoords(int32_t cols, int32_t rows);

    size_t Index(int32_t c, int32_t r) const {
        return static_cast<size_t>(r) * static_cast<size_t>(Cols) + static_cast<size_t>(c);
    }
};

// The mesh of the record's node grid (meshCols x meshRows interior nodes and
// their border) in working coordinates: every coordinate times scale, except
// that the right column sits on workWidth - 1 and the bottom row on
// workHeight - 1 exactly, whatever the scaled image edge gives.
MeshCoords MeshFromNodes(const MeshNodes& nodes, int32_t meshCols, int32_t meshRows, double scale,
                         int32_t workWidth, int32_t workHeight);

// blended := source x w + destination x t for every node coordinate, formed
// in extended precision and rounded once. All three meshes have one size.
void BlendMeshes(const MeshCoords& source, const MeshCoords& destination, double w, double t,
                 MeshCoords& blended);

// Warps one working image (last-row pointer image, width x height pixels,
// rows RowStrideFor(width) bytes) from imageMesh onto targetMesh into output,
// first every pixel row horizontally, then every column vertically. The two
// meshes must have one size of at least 2 x 2 nodes; otherwise, or when its
// tables cannot be allocated, it returns without writing the output. Raises
// WarpFailure on a zero divisor.
void MeshWarpImage(const uint8_t* image, uint8_t* output, int32_t height, int32_t width,
                   const MeshCoords& imageMesh, const MeshCoords& targetMesh, bool linear);

}  // namespace kavrell

#include "engine/mesh_warp.h"

#include <algorithm>
#include <new>
#include <optional>

#include "engine/parallel_bands.h"
#include "engine/scanline.h"
#include "engine/warp_failure.h"
#include "platform/bitmap.h"

namespace kavrell {
namespace {

size_t Product(int32_t a, int32_t b) { return static_cast<size_t>(a) * static_cast<size_t>(b); }

bool HasNodes(const MeshCoords& mesh) {
    const size_t nodes = Product(mesh.Cols, mesh.Rows);
    return mesh.Cols >= 2 && mesh.Rows >= 2 && mesh.X.size() == nodes && mesh.Y.size() == nodes;
}

// The chosen curve through one set of knots: linear, or Catmull-Rom with
// the linear curve wherever Catmull-Rom refuses.
void FitCurve(const double* knots, const double* values, int32_t knotCount, const double* positions,
              double* output, int32_t count, bool linear) {
    if (linear || !InterpolateCatmullRom(knots, values, knotCount, positions, output, count)) {
        InterpolateLinear(knots, values, knotCount, positions, output, count);
    }
}

// The working room of one pixel line: the knots and values of a mesh line,
// the map along the pixel line with its closing entry, and the input
// positions. Each band of lines has its own, made once for the band.
struct LineScratch {
    LineScratch(int32_t longerSide, int32_t meshLine)
        : knots(static_cast<size_t>(meshLine)),
          values(knots.size()),
          map(static_cast<size_t>(longerSide) + 1),
          inpos(map.size()) {}

    std::vector<double> knots, values;
    std::vector<double> map, inpos;
};

// Everything one warp works in, made once before the passes so that nothing
// is allocated per line.
struct WarpTables {
    WarpTables(int32_t width, int32_t height, int32_t cols, int32_t rows)
        : positions(static_cast<size_t>(std::max(width, height))),
          scratch(std::max(width, height), std::max(cols, rows)),
          imageColumns(Product(height, cols)),
          targetColumns(imageColumns.size()),
          imageRows(Product(rows, width)),
          targetRows(imageRows.size()),
          intermediate(width, height) {
        for (size_t i = 0; i < positions.size(); ++i) positions[i] = static_cast<double>(i);
    }

    std::vector<double> positions;  // 0, 1, 2, ... along a pixel line
    LineScratch scratch;            // for the mesh lines, made on the calling thread
    // Entry (y, c) at y * cols + c: the x at which mesh column c crosses
    // pixel row y, for the image's own mesh and for the target mesh.
    std::vector<double> imageColumns, targetColumns;
    // Entry (r, x) at r * width + x: the y at which mesh row r crosses pixel
    // column x.
    std::vector<double> imageRows, targetRows;
    Bitmap intermediate;  // the image after the horizontal pass
};

// Every mesh column read as a curve x(y) through its nodes, evaluated at
// every pixel row.
void FillColumnCrossings(const MeshCoords& mesh, int32_t height, bool linear, WarpTables& tables,
                         std::vector<double>& crossings) {
    for (int32_t c = 0; c < mesh.Cols; ++c) {
        for (int32_t r = 0; r < mesh.Rows; ++r) {
            tables.scratch.knots[r] = mesh.Y[mesh.Index(c, r)];
            tables.scratch.values[r] = mesh.X[mesh.Index(c, r)];
        }
        FitCurve(tables.scratch.knots.data(), tables.scratch.values.data(), mesh.Rows,
                 tables.positions.data(), tables.scratch.map.data(), height, linear);
        for (int32_t y = 0; y < height; ++y) crossings[Product(y, mesh.Cols) + c] = tables.scratch.map[y];
    }
}

// Every mesh row read as a curve y(x) through its nodes, evaluated at every
// pixel column.
void FillRowCrossings(const MeshCoords& mesh, int32_t width, bool linear, WarpTables& tables,
                      std::vector<double>& crossings) {
    for (int32_t r = 0; r < mesh.Rows; ++r) {
        const size_t first = mesh.Index(0, r);
        FitCurve(&mesh.X[first], &mesh.Y[first], mesh.Cols, tables.positions.data(),
                 &crossings[Product(r, width)], width, linear);
    }
}

// The map of one pixel line: the curve that carries the image mesh's
// crossings onto the target mesh's, closed by map[len] = len, turned into
// the input position of every output position.
void LineInputPositions(const double* imageCrossings, const double* targetCrossings, int32_t knotCount,
                        int32_t len, bool linear, const WarpTables& tables, LineScratch& line) {
    FitCurve(imageCrossings, targetCrossings, knotCount, tables.positions.data(), line.map.data(), len,
             linear);
    line.map[len] = len;
    MapToInputPositions(line.map.data(), len, line.inpos.data());
}

// First pass: every pixel row stretched horizontally. Rows lie bottom-up,
// so row y starts (height - 1 - y) strides above the last-row pointer.
void WarpRows(const uint8_t* image, uint8_t* intermediate, int32_t width, int32_t height, int32_t cols,
              bool linear, const WarpTables& tables) {
    const ptrdiff_t stride = RowStrideFor(width);
    ForEachBand(height, [&](int32_t firstRow, int32_t endRow) {
        LineScratch line(width, cols);
        for (int32_t y = firstRow; y < endRow; ++y) {
            const size_t row = Product(y, cols);
            LineInputPositions(&tables.imageColumns[row], &tables.targetColumns[row], cols, width, linear,
                               tables, line);
            const ptrdiff_t offset = (height - 1 - y) * stride;
            ResamplePixelsAlongPositions(image + offset, intermediate + offset, width, 3, line.inpos.data());
        }
    });
}

// Second pass: every pixel column stretched vertically, from its top pixel
// (the highest address) one stride down per row.
void WarpColumns(const uint8_t* intermediate, uint8_t* output, int32_t width, int32_t height, int32_t rows,
                 bool linear, const WarpTables& tables) {
    const int32_t stride = RowStrideFor(width);
    ForEachBand(width, [&](int32_t firstColumn, int32_t endColumn) {
        LineScratch line(height, rows);
        for (int32_t x = firstColumn; x < endColumn; ++x) {
            for (int32_t r = 0; r < rows; ++r) {
                line.knots[r] = tables.imageRows[Product(r, width) + x];
                line.values[r] = tables.targetRows[Product(r, width) + x];
            }
            LineInputPositions(line.knots.data(), line.values.data(), rows, height, linear, tables, line);
            const ptrdiff_t top = static_cast<ptrdiff_t>(height - 1) * stride + 3 * static_cast<ptrdiff_t>(x);
            ResamplePixelsAlongPositions(intermediate + top, output + top, height, -stride,
                                         line.inpos.data());
        }
    });
}

}  // namespace

MeshCoords::MeshCoords(int32_t cols, int32_t rows)
    : Cols(cols), Rows(rows), X(Product(cols, rows)), Y(Product(cols, rows)) {}

MeshCoords MeshFromNodes(const MeshNodes& nodes, int32_t meshCols, int32_t meshRows, double scale,
                         int32_t workWidth, int32_t workHeight) {
    MeshCoords mesh(meshCols + 2, meshRows + 2);
    for (int32_t r = 0; r < mesh.Rows; ++r) {
        for (int32_t c = 0; c < mesh.Cols; ++c) {
            const Point32& node = nodes[c][r];
            const size_t k = mesh.Index(c, r);
            mesh.X[k] = c == mesh.Cols - 1 ? workWidth - 1 : node.x * scale;
            mesh.Y[k] = r == mesh.Rows - 1 ? workHeight - 1 : node.y * scale;
        }
    }
    return mesh;
}

void BlendMeshes(const MeshCoords& source, const MeshCoords& destination, double w, double t,
                 MeshCoords& blended) {
    const long double sourceShare = w;
    const long double destinationShare = t;
    const size_t count = std::min({blended.X.size(), source.X.size(), destination.X.size()});
    for (size_t k = 0; k < count; ++k) {
        blended.X[k] = static_cast<double>(source.X[k] * sourceShare + destination.X[k] * destinationShare);
        blended.Y[k] = static_cast<double>(source.Y[k] * sourceShare + destination.Y[k] * destinationShare);
    }
}

void MeshWarpImage(const uint8_t* image, uint8_t* output, int32_t height, int32_t width,
                   const MeshCoords& imageMesh, const MeshCoords& targetMesh, bool linear) {
    const int32_t cols = imageMesh.Cols;
    const int32_t rows = imageMesh.Rows;
    if (width < 1 || height < 1 || !HasNodes(imageMesh) || targetMesh.Cols != cols ||
        targetMesh.Rows != rows || !HasNodes(targetMesh)) {
        return;
    }
    std::optional<WarpTables> made;
    try {
        made.emplace(width, height, cols, rows);
    } catch (const std::bad_alloc&) {
        return;  // the frame keeps what the output held
    }
    WarpTables& tables = *made;

    FillColumnCrossings(imageMesh, height, linear, tables, tables.imageColumns);
    FillColumnCrossings(targetMesh, height, linear, tables, tables.targetColumns);
    WarpRows(image, tables.intermediate.LastRow(), width, height, cols, linear, tables);

    FillRowCrossings(imageMesh, width, linear, tables, tables.imageRows);
    FillRowCrossings(targetMesh, width, linear, tables, tables.targetRows);
    WarpColumns(tables.intermediate.LastRow(), output, width, height, rows, linear, tables);
}

}  // namespace kavrell

#include "cli/headless_editor.h"

#include <stdexcept>

#include "morph/field_editing.h"
#include "morph/mesh_editing.h"
#include "morph/session_setup.h"

namespace kavrell::cli {

HeadlessEditor::HeadlessEditor(const Bitmap& source, const Bitmap* destination) {
    left_.Image() = source;
    right_.Image() = destination ? *destination : source;
    BeginSession(session_, left_, right_, destination == nullptr);
    session_.Frames = &frames_;
    session_.Gauge = &gauge_;
}

void HeadlessEditor::PlaceMesh(const MeshProject& mesh) {
    CreateMesh(session_, mesh.cols, mesh.rows);
    WarpObjStru& warp = Warp();
    if (warp.meshCols != mesh.cols || warp.meshRows != mesh.rows) {
        throw std::logic_error("the editor laid a mesh of another size");
    }
    const auto nodeAt = [&](const std::vector<Point32>& nodes, int32_t i, int32_t j) {
        return nodes[static_cast<size_t>(i) * static_cast<size_t>(mesh.rows + 2) + static_cast<size_t>(j)];
    };
    for (int32_t i = 0; i <= mesh.cols + 1; ++i) {
        for (int32_t j = 0; j <= mesh.rows + 1; ++j) {
            const bool border = i == 0 || j == 0 || i == mesh.cols + 1 || j == mesh.rows + 1;
            if (!border) continue;
            // The project's border was checked against the editor's lattice.
            if (warp.srcNodes[i][j] != nodeAt(mesh.src, i, j) ||
                warp.dstNodes[i][j] != nodeAt(mesh.dst, i, j)) {
                throw std::logic_error("the editor laid the mesh border elsewhere");
            }
        }
    }
    for (int32_t i = 1; i <= mesh.cols; ++i) {
        for (int32_t j = 1; j <= mesh.rows; ++j) {
            warp.srcNodes[i][j] = nodeAt(mesh.src, i, j);
            RefreshMeshNode(session_, i, j, warp.srcNodes, left_);
            warp.dstNodes[i][j] = nodeAt(mesh.dst, i, j);
            RefreshMeshNode(session_, i, j, warp.dstNodes, right_);
        }
    }
}

void HeadlessEditor::DrawField(const FieldProject& field) {
    WarpObjStru& warp = Warp();
    warp.addMode = true;
    // Each polyline is drawn as in the editor: the first stroke presses at the
    // first point and drags its twin to the second; every further stroke adds
    // one point. A break slot becomes a line break.
    size_t k = 0;
    while (k < field.src.size()) {
        if (!HoldsPoint(field.src[k])) {
            LineBreak(session_);
            ++k;
            continue;
        }
        const Point32 first = field.src[k];
        const Point32 second = field.src[k + 1];
        FieldPress(session_, first.x, first.y, left_);
        FieldDrag(session_, second.x, second.y, left_);
        FieldRelease(session_, second.x, second.y, left_);
        k += 2;
        for (; k < field.src.size() && HoldsPoint(field.src[k]); ++k) {
            const Point32 next = field.src[k];
            FieldPress(session_, next.x, next.y, left_);
            FieldRelease(session_, next.x, next.y, left_);
        }
    }
    if (warp.pointCount != static_cast<int32_t>(field.src.size())) {
        throw std::logic_error("the editor took another number of field slots");
    }
    for (size_t slot = 0; slot < field.dst.size(); ++slot) {
        if (warp.srcPoints[slot] != field.src[slot] && HoldsPoint(field.src[slot])) {
            throw std::logic_error("the editor placed a field point elsewhere");
        }
        if (!HoldsPoint(field.dst[slot])) continue;
        warp.dstPoints[slot] = field.dst[slot];
        RefreshFieldPoint(session_, static_cast<int32_t>(slot), warp.dstPoints, right_);
    }
}

}  // namespace kavrell::cli

#include "cli/project_placement.h"

#include <stdexcept>

#include "morph/field_editing.h"
#include "morph/mesh_editing.h"
#include "morph/mesh_lattice.h"

namespace kavrell::cli {

void PlaceMesh(EditorModel& model, const MeshProject& mesh) {
    model.SetMeshColumns(mesh.cols);
    model.SetMeshRows(mesh.rows);
    model.CommonButtonsClick(TagNewMesh);
    WarpObjStru& warp = *model.Warp();
    if (warp.meshCols != mesh.cols || warp.meshRows != mesh.rows) {
        throw std::logic_error("the editor laid a mesh of another size");
    }
    for (int32_t i = 0; i <= mesh.cols + 1; ++i) {
        for (int32_t j = 0; j <= mesh.rows + 1; ++j) {
            if (!IsBorderNode(i, j, mesh.cols, mesh.rows)) continue;
            // The project's border was checked against the editor's lattice.
            const size_t k = NodeIndex(i, j, mesh.rows);
            if (warp.srcNodes[i][j] != mesh.src[k] || warp.dstNodes[i][j] != mesh.dst[k]) {
                throw std::logic_error("the editor laid the mesh border elsewhere");
            }
        }
    }
    for (int32_t i = 1; i <= mesh.cols; ++i) {
        for (int32_t j = 1; j <= mesh.rows; ++j) {
            const size_t k = NodeIndex(i, j, mesh.rows);
            warp.srcNodes[i][j] = mesh.src[k];
            RefreshMeshNode(model.Session(), i, j, warp.srcNodes, model.View(ViewId::Left));
            warp.dstNodes[i][j] = mesh.dst[k];
            RefreshMeshNode(model.Session(), i, j, warp.dstNodes, model.View(ViewId::Right));
        }
    }
}

void DrawField(EditorModel& model, const FieldProject& field) {
    model.CommonButtonsClick(TagField);
    if (!model.AddMode()) model.CommonButtonsClick(TagFieldAdd);
    WarpObjStru& warp = *model.Warp();
    // Each polyline is drawn as in the editor: the first stroke presses at the
    // first point and drags its twin to the second; every further stroke adds
    // one point. A break slot becomes a line break.
    size_t k = 0;
    while (k < field.src.size()) {
        if (!HoldsPoint(field.src[k])) {
            model.CommonButtonsClick(TagLineBreak);
            ++k;
            continue;
        }
        const Point32 first = field.src[k];
        const Point32 second = field.src[k + 1];
        model.MouseDown(ViewId::Left, first.x, first.y);
        model.MouseMove(ViewId::Left, second.x, second.y);
        model.MouseUp(ViewId::Left, second.x, second.y);
        k += 2;
        for (; k < field.src.size() && HoldsPoint(field.src[k]); ++k) {
            const Point32 next = field.src[k];
            model.MouseDown(ViewId::Left, next.x, next.y);
            model.MouseUp(ViewId::Left, next.x, next.y);
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
        RefreshFieldPoint(model.Session(), static_cast<int32_t>(slot), warp.dstPoints,
                          model.View(ViewId::Right));
    }
}

}  // namespace kavrell::cli

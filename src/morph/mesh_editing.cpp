#include "morph/mesh_editing.h"

#include <algorithm>

#include "morph/mesh_lattice.h"
#include "morph/view_markers.h"
#include "morph/view_side.h"

namespace kavrell {
namespace {

// The mesh objects of one view and the node array of the other view.
struct MeshSide {
    ImageView& own;
    ImageView& other;
    MeshHandles& colLines;
    MeshHandles& rowLines;
    MeshHandles& markers;
    MeshNodes& nodes;
    MeshNodes& partnerNodes;
    ObjectHandle otherCursor;
};

MeshSide SideLists(MorphSession& session, bool source) {
    WarpObjStru& warp = *session.WarpObj;
    if (source) {
        return {*session.VectLeft,    *session.VectRight, warp.leftColLines, warp.leftRowLines,
                warp.leftNodeMarkers, warp.srcNodes,      warp.dstNodes,     warp.rightCursorMarker};
    }
    return {*session.VectRight,    *session.VectLeft, warp.rightColLines, warp.rightRowLines,
            warp.rightNodeMarkers, warp.dstNodes,     warp.srcNodes,      warp.leftCursorMarker};
}

// The node this view's selection slots name, if it lies inside the current
// mesh; a leftover or foreign ID counts as no selection.
bool SelectedNode(const WarpObjStru& warp, const MeshSide& side, int32_t& i, int32_t& j) {
    const VectorLayer& layer = side.own.Layer();
    const int64_t column = int64_t{layer.GetObjID(side.colLines[1][1])} - IdBase;
    const int64_t row = int64_t{layer.GetObjID(side.rowLines[1][1])} - IdBase;
    if (column < 1 || column > warp.meshCols || row < 1 || row > warp.meshRows) return false;
    i = static_cast<int32_t>(column);
    j = static_cast<int32_t>(row);
    return true;
}

}  // namespace

void CreateMesh(MorphSession& session, int32_t cols, int32_t rows) {
    if (!session.WarpObj || !session.VectLeft || !session.VectRight) return;
    ClearMesh(session);
    WarpObjStru& warp = *session.WarpObj;
    ImageView& left = *session.VectLeft;
    ImageView& right = *session.VectRight;
    const int32_t c = std::clamp(cols, MinMeshCount, MaxMeshCount);
    const int32_t r = std::clamp(rows, MinMeshCount, MaxMeshCount);
    warp.meshCols = c;
    warp.meshRows = r;

    const int32_t width = session.ImageWidth;
    const int32_t height = session.ImageHeight;
    const int32_t dx = LatticeStep(width, c);
    const int32_t dy = LatticeStep(height, r);
    const auto lattice = [&](int32_t i, int32_t j) { return LatticeNode(width, height, c, r, i, j); };
    const auto setBoth = [&](int32_t i, int32_t j, Point32 node) {
        warp.srcNodes[i][j] = node;
        warp.dstNodes[i][j] = node;
    };

    // Column lines run down from each interior node; the last one reaches the
    // image's bottom edge.
    for (int32_t i = 0; i <= c; ++i) {
        for (int32_t j = 0; j <= r; ++j) {
            const Point32 node = lattice(i, j);
            setBoth(i, j, node);
            if (i < 1) continue;
            const int32_t h = j == r ? SaturateToInt32(int64_t{height} - node.y) : dy;
            warp.leftColLines[i][j] = AddLineObject(left, node.x, node.y, 1, h);
            warp.rightColLines[i][j] = AddLineObject(right, node.x, node.y, 1, h);
        }
    }
    for (int32_t j = 0; j <= r; ++j) setBoth(c + 1, j, lattice(c + 1, j));

    // Row lines run right from each interior node; the last one reaches the
    // image's right edge.
    for (int32_t j = 0; j <= r; ++j) {
        for (int32_t i = 0; i <= c; ++i) {
            const Point32 node = lattice(i, j);
            setBoth(i, j, node);
            if (j < 1) continue;
            const int32_t w = i == c ? SaturateToInt32(int64_t{width} - node.x) : dx;
            warp.leftRowLines[i][j] = AddLineObject(left, node.x, node.y, w, 1);
            warp.rightRowLines[i][j] = AddLineObject(right, node.x, node.y, w, 1);
        }
    }
    for (int32_t i = 0; i <= c; ++i) setBoth(i, r + 1, lattice(i, r + 1));
    setBoth(c + 1, r + 1, lattice(c + 1, r + 1));

    for (int32_t i = 1; i <= c; ++i) {
        for (int32_t j = 1; j <= r; ++j) {
            AddPointMarker(warp.leftNodeMarkers[i][j], warp.srcNodes[i][j].x, warp.srcNodes[i][j].y, left,
                           kWhite, kBlue);
            AddPointMarker(warp.rightNodeMarkers[i][j], warp.dstNodes[i][j].x, warp.dstNodes[i][j].y, right,
                           kYellow, kGreen);
        }
    }
}

void ClearMesh(MorphSession& session) {
    if (!session.WarpObj) return;
    WarpObjStru& warp = *session.WarpObj;
    if (HasMesh(warp) && session.VectLeft && session.VectRight) {
        VectorLayer& left = session.VectLeft->Layer();
        VectorLayer& right = session.VectRight->Layer();
        const int32_t c = warp.meshCols;
        const int32_t r = warp.meshRows;
        for (int32_t i = 1; i <= c; ++i) {
            for (int32_t j = 0; j <= r; ++j) {
                left.RemoveObject(warp.leftColLines[i][j]);
                right.RemoveObject(warp.rightColLines[i][j]);
            }
        }
        for (int32_t j = 1; j <= r; ++j) {
            for (int32_t i = 0; i <= c; ++i) {
                left.RemoveObject(warp.leftRowLines[i][j]);
                right.RemoveObject(warp.rightRowLines[i][j]);
            }
        }
        for (int32_t i = 1; i <= c; ++i) {
            for (int32_t j = 1; j <= r; ++j) {
                left.RemoveObject(warp.leftNodeMarkers[i][j]);
                right.RemoveObject(warp.rightNodeMarkers[i][j]);
            }
        }
    }
    warp.meshCols = 0;
    warp.meshRows = 0;
}

void MeshPress(MorphSession& session, int32_t x, int32_t y, ImageView& view) {
    const ViewSide side = SideOf(session, view);
    if (side == ViewSide::Unknown) return;
    session.WarpObj->buttonDown = true;
    RecordPress(*session.WarpObj, side, x, y);
}

void MeshRelease(MorphSession& session, int32_t x, int32_t y, ImageView& view) {
    const ViewSide side = SideOf(session, view);
    if (side == ViewSide::Unknown) return;
    session.WarpObj->buttonDown = false;
    RecordRelease(*session.WarpObj, side, x, y);
}

bool HitMeshNode(MorphSession& session, int32_t x, int32_t y, ImageView& view) {
    const ViewSide side = SideOf(session, view);
    if (side == ViewSide::Unknown || !HasMesh(*session.WarpObj)) return false;
    WarpObjStru& warp = *session.WarpObj;
    const MeshSide lists = SideLists(session, side == ViewSide::Source);
    VectorLayer& layer = lists.own.Layer();
    lists.other.Layer().SetObjStyle(lists.otherCursor, kStyleNone);
    for (int32_t i = 1; i <= warp.meshCols; ++i) {
        for (int32_t j = 1; j <= warp.meshRows; ++j) {
            if (!MarkerWithinReach(lists.own, lists.markers[i][j], x, y)) continue;
            layer.SetObjID(lists.colLines[1][1], i + IdBase);
            layer.SetObjID(lists.rowLines[1][1], j + IdBase);
            PlaceCursorMarker(lists.other, lists.otherCursor, lists.partnerNodes[i][j]);
            lists.other.Layer().SetObjStyle(lists.otherCursor, kStyleVisible);
            return true;
        }
    }
    layer.SetObjID(lists.colLines[1][1], 0);
    layer.SetObjID(lists.rowLines[1][1], 0);
    return false;
}

void MeshDrag(MorphSession& session, int32_t x, int32_t y, ImageView& view) {
    const ViewSide side = SideOf(session, view);
    if (side == ViewSide::Unknown || !HasMesh(*session.WarpObj)) return;
    WarpObjStru& warp = *session.WarpObj;
    const MeshSide lists = SideLists(session, side == ViewSide::Source);
    int32_t i = 0;
    int32_t j = 0;
    if (!SelectedNode(warp, lists, i, j)) return;
    if (side == ViewSide::Source && warp.moveBoth) {
        warp.dstNodes[i][j] = {x, y};
        RefreshMeshNode(session, i, j, warp.dstNodes, *session.VectRight);
    }
    lists.nodes[i][j] = {x, y};
    RefreshMeshNode(session, i, j, lists.nodes, view);
}

void RefreshMeshNode(MorphSession& session, int32_t i, int32_t j, const MeshNodes& nodes, ImageView& view) {
    const ViewSide side = SideOf(session, view);
    if (side == ViewSide::Unknown) return;
    const WarpObjStru& warp = *session.WarpObj;
    // Only interior nodes have markers and four lines; border nodes never move.
    if (!HasMesh(warp) || i < 1 || i > warp.meshCols || j < 1 || j > warp.meshRows) return;
    const MeshSide lists = SideLists(session, side == ViewSide::Source);
    MoveMarker(view, lists.markers[i][j], nodes[i][j]);
    PlaceCursorMarker(lists.other, lists.otherCursor, lists.partnerNodes[i][j]);
    // The four lines that meet at the node: above and below, left and right.
    for (int32_t k = j - 1; k <= j; ++k) {
        PlaceLineObject(view, lists.colLines[i][k], nodes[i][k], nodes[i][k + 1]);
    }
    for (int32_t m = i - 1; m <= i; ++m) {
        PlaceLineObject(view, lists.rowLines[m][j], nodes[m][j], nodes[m + 1][j]);
    }
}

}  // namespace kavrell

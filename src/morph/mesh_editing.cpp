#include "morph/mesh_editing.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "morph/mesh_lattice.h"

namespace kavrell {
namespace {

constexpr int32_t kMaxMeshCount = MeshSlots - 2;  // interior columns or rows
constexpr int32_t kMarkerHalf = 5;                // point markers are 10 x 10
constexpr int32_t kCursorHalf = 10;               // cursor markers are 20 x 20
constexpr int32_t kReach = 10;                    // hover distance on each axis, exclusive

// Coordinates are never clamped, so offsets and extents are formed in 64 bits
// and saturated rather than allowed to overflow.
int32_t Saturate(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// A mesh whose counts are in range; any other record is treated as having none,
// so no loop can index beyond the arrays.
bool HasMesh(const WarpObjStru& warp) {
    return warp.meshCols >= 1 && warp.meshCols <= kMaxMeshCount && warp.meshRows >= 1 &&
           warp.meshRows <= kMaxMeshCount;
}

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

void SetVisible(ImageView& view, ObjectHandle handle) { view.Layer().SetObjStyle(handle, kStyleVisible); }

void ShowMesh(WarpObjStru& warp, ImageView& left, ImageView& right) {
    const int32_t c = warp.meshCols;
    const int32_t r = warp.meshRows;
    for (int32_t i = 1; i <= c; ++i) {
        for (int32_t j = 0; j <= r; ++j) {
            SetVisible(left, warp.leftColLines[i][j]);
            SetVisible(right, warp.rightColLines[i][j]);
        }
    }
    for (int32_t j = 1; j <= r; ++j) {
        for (int32_t i = 0; i <= c; ++i) {
            SetVisible(left, warp.leftRowLines[i][j]);
            SetVisible(right, warp.rightRowLines[i][j]);
        }
    }
    for (int32_t i = 1; i <= c; ++i) {
        for (int32_t j = 1; j <= r; ++j) {
            SetVisible(left, warp.leftNodeMarkers[i][j]);
            left.Layer().SetObjFrontOf(warp.leftNodeMarkers[i][j]);
            SetVisible(right, warp.rightNodeMarkers[i][j]);
            right.Layer().SetObjFrontOf(warp.rightNodeMarkers[i][j]);
        }
    }
}

void ShowFieldLines(WarpObjStru& warp, ImageView& left, ImageView& right) {
    const int32_t used = std::clamp(warp.pointCount, 0, MaxFieldPoints);
    for (int32_t k = 0; k < used; ++k) {
        if (!HoldsPoint(warp.srcPoints[k])) continue;
        if (HoldsPoint(warp.srcPoints[k + 1])) {
            SetVisible(left, warp.leftSegLines[k]);
            SetVisible(right, warp.rightSegLines[k]);
        }
        SetVisible(left, warp.leftPointMarkers[k]);
        SetVisible(right, warp.rightPointMarkers[k]);
    }
}

void HideAll(ImageView& view) {
    VectorLayer& layer = view.Layer();
    for (int32_t index = 0; index < layer.ObjectsCount(); ++index) {
        layer.SetObjStyle(layer.GetObjFromIndex(index), kStyleNone);
    }
}

}  // namespace

ViewSide SideOf(const MorphSession& session, const ImageView& view) {
    if (!session.WarpObj || !session.VectLeft || !session.VectRight) return ViewSide::Unknown;
    if (&view == session.VectLeft) return ViewSide::Source;
    if (&view == session.VectRight) return ViewSide::Destination;
    return ViewSide::Unknown;
}

void RecordPress(WarpObjStru& warp, ViewSide side, int32_t x, int32_t y) {
    if (side == ViewSide::Source) {
        warp.leftPressX = x;
        warp.leftPressY = y;
    } else if (side == ViewSide::Destination) {
        warp.rightPressX = x;
        warp.rightPressY = y;
    }
}

void RecordRelease(WarpObjStru& warp, ViewSide side, int32_t x, int32_t y) {
    if (side == ViewSide::Source) {
        warp.leftReleaseX = x;
        warp.leftReleaseY = y;
    } else if (side == ViewSide::Destination) {
        warp.rightReleaseX = x;
        warp.rightReleaseY = y;
    }
}

ObjectHandle AddLineObject(ImageView& view, int32_t left, int32_t top, int32_t width, int32_t height) {
    VectorLayer& layer = view.Layer();
    const ObjectHandle line = layer.AddNewObject();
    layer.SetObjKind(line, ObjKind::Line);
    layer.SetObjLeft(line, left);
    layer.SetObjTop(line, top);
    layer.SetObjWidth(line, width);
    layer.SetObjHeight(line, height);
    layer.SetObjPenColor(line, kRed);
    layer.AddSelObject(line);
    layer.SetObjID(line, 0);
    layer.SetObjStyle(line, kStyleVisible);
    layer.SetObjBackTo(line);
    return line;
}

void PlaceLineObject(ImageView& view, ObjectHandle line, Point32 from, Point32 to) {
    VectorLayer& layer = view.Layer();
    layer.SetObjLeft(line, from.x);
    layer.SetObjTop(line, from.y);
    layer.SetObjWidth(line, Saturate(int64_t{to.x} - from.x));
    layer.SetObjHeight(line, Saturate(int64_t{to.y} - from.y));
    if (layer.GetObjWidth(line) == 0) layer.SetObjWidth(line, 1);
    if (layer.GetObjHeight(line) == 0) layer.SetObjHeight(line, 1);
}

void MoveMarker(ImageView& view, ObjectHandle marker, Point32 centre) {
    view.Layer().SetObjLeft(marker, Saturate(int64_t{centre.x} - kMarkerHalf));
    view.Layer().SetObjTop(marker, Saturate(int64_t{centre.y} - kMarkerHalf));
}

void PlaceCursorMarker(ImageView& view, ObjectHandle marker, Point32 partner) {
    view.Layer().SetObjLeft(marker, Saturate(int64_t{partner.x} - kCursorHalf));
    view.Layer().SetObjTop(marker, Saturate(int64_t{partner.y} - kCursorHalf));
}

bool MarkerWithinReach(const ImageView& view, ObjectHandle marker, int32_t x, int32_t y) {
    const VectorLayer& layer = view.Layer();
    const int64_t centreX = int64_t{layer.GetObjLeft(marker)} + kMarkerHalf;
    const int64_t centreY = int64_t{layer.GetObjTop(marker)} + kMarkerHalf;
    return std::abs(centreX - x) < kReach && std::abs(centreY - y) < kReach;
}

void AddPointMarker(ObjectHandle& slot, int32_t x, int32_t y, ImageView& view, Color pen, Color brush) {
    VectorLayer& layer = view.Layer();
    slot = layer.AddNewObject();
    layer.SetObjKind(slot, ObjKind::Box);
    layer.SetObjWidth(slot, 2 * kMarkerHalf);
    layer.SetObjHeight(slot, 2 * kMarkerHalf);
    layer.SetObjPenColor(slot, pen);
    layer.SetObjBrushStyle(slot, BrushStyle::Solid);
    layer.SetObjBrushColor(slot, brush);
    layer.SetObjStyle(slot, kStyleVisible);
    MoveMarker(view, slot, {x, y});
    layer.SetObjFrontOf(slot);
}

void CreateMesh(MorphSession& session, int32_t cols, int32_t rows) {
    if (!session.WarpObj || !session.VectLeft || !session.VectRight) return;
    ClearMesh(session);
    WarpObjStru& warp = *session.WarpObj;
    ImageView& left = *session.VectLeft;
    ImageView& right = *session.VectRight;
    const int32_t c = std::clamp(cols, 1, kMaxMeshCount);
    const int32_t r = std::clamp(rows, 1, kMaxMeshCount);
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
            const int32_t h = j == r ? Saturate(int64_t{height} - node.y) : dy;
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
            const int32_t w = i == c ? Saturate(int64_t{width} - node.x) : dx;
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

void ShowMethodMarkers(MorphSession& session, int32_t method) {
    if (!session.WarpObj || !session.VectLeft || !session.VectRight) return;
    WarpObjStru& warp = *session.WarpObj;
    ImageView& left = *session.VectLeft;
    ImageView& right = *session.VectRight;
    HideAll(left);
    HideAll(right);
    if (method == 0) {
        if (HasMesh(warp)) ShowMesh(warp, left, right);
    } else {
        ShowFieldLines(warp, left, right);
    }
}

}  // namespace kavrell

#include "morph/field_editing.h"

#include <algorithm>

#include "morph/view_markers.h"
#include "morph/view_side.h"

namespace kavrell {
namespace {

static_assert(kNoObject == EmptySlot, "the field handle lists mark a missing object with EmptySlot");

// The field objects of one view and the point list of the other view.
struct FieldSide {
    ImageView& own;
    ImageView& other;
    Point32* points;
    const Point32* partnerPoints;
    ObjectHandle* segLines;
    ObjectHandle* pointMarkers;
    ObjectHandle otherCursor;
};

FieldSide SideLists(MorphSession& session, bool source) {
    WarpObjStru& warp = *session.WarpObj;
    if (source) {
        return {*session.VectLeft, *session.VectRight,    warp.srcPoints,        warp.dstPoints,
                warp.leftSegLines, warp.leftPointMarkers, warp.rightCursorMarker};
    }
    return {*session.VectRight, *session.VectLeft,      warp.dstPoints,       warp.srcPoints,
            warp.rightSegLines, warp.rightPointMarkers, warp.leftCursorMarker};
}

// Slots in use. pointCount never leaves 0..MaxFieldPoints through these
// operations; the clamp keeps a record written by hand from indexing beyond
// the lists.
int32_t UsedSlots(const WarpObjStru& warp) { return std::clamp(warp.pointCount, 0, MaxFieldPoints); }

bool SlotHoldsPoint(const WarpObjStru& warp, int32_t k) {
    return k >= 0 && k < UsedSlots(warp) && HoldsPoint(warp.srcPoints[k]);
}

// A point's x must stay below the empty mark, or the point would read as a
// break. Only a drag about a million pixels past the right edge gets there.
Point32 StoredPoint(int32_t x, int32_t y) { return {std::min(x, LargestCoordinate), y}; }

// The newest slot when it holds a point: the one add mode drags.
bool LastSlotHoldsPoint(const WarpObjStru& warp) { return SlotHoldsPoint(warp, UsedSlots(warp) - 1); }

void AddPointInBothViews(MorphSession& session, int32_t k, Point32 at) {
    WarpObjStru& warp = *session.WarpObj;
    warp.srcPoints[k] = at;
    warp.dstPoints[k] = at;
    AddPointMarker(warp.leftPointMarkers[k], at.x, at.y, *session.VectLeft, kWhite, kBlue);
    AddPointMarker(warp.rightPointMarkers[k], at.x, at.y, *session.VectRight, kYellow, kGreen);
}

void RefreshInBothViews(MorphSession& session, int32_t k) {
    WarpObjStru& warp = *session.WarpObj;
    RefreshFieldPoint(session, k, warp.srcPoints, *session.VectLeft);
    RefreshFieldPoint(session, k, warp.dstPoints, *session.VectRight);
}

}  // namespace

void FieldPress(MorphSession& session, int32_t x, int32_t y, ImageView& view) {
    const ViewSide side = SideOf(session, view);
    if (side == ViewSide::Unknown) return;
    WarpObjStru& warp = *session.WarpObj;
    warp.buttonDown = true;
    RecordPress(warp, side, x, y);
    if (!warp.addMode) return;

    // A press continues the current polyline with one point, or starts a new
    // one with two; either way the count stays within MaxFieldPoints.
    const int32_t n = UsedSlots(warp);
    const bool continues = LastSlotHoldsPoint(warp);
    if (n + (continues ? 1 : 2) > MaxFieldPoints) return;

    const Point32 at = StoredPoint(x, y);
    const int32_t seg = continues ? n - 1 : n;
    warp.leftSegLines[seg] = AddLineObject(*session.VectLeft, at.x, at.y, 0, 0);
    warp.rightSegLines[seg] = AddLineObject(*session.VectRight, at.x, at.y, 0, 0);
    AddPointInBothViews(session, n, at);
    warp.pointCount = n + 1;
    if (!continues) {
        AddPointInBothViews(session, n + 1, at);
        warp.pointCount = n + 2;
    }
}

void FieldRelease(MorphSession& session, int32_t x, int32_t y, ImageView& view) {
    const ViewSide side = SideOf(session, view);
    if (side == ViewSide::Unknown) return;
    WarpObjStru& warp = *session.WarpObj;
    warp.buttonDown = false;
    RecordRelease(warp, side, x, y);
    if (warp.addMode && LastSlotHoldsPoint(warp)) RefreshInBothViews(session, UsedSlots(warp) - 1);
}

bool HitFieldPoint(MorphSession& session, int32_t x, int32_t y, ImageView& view) {
    const ViewSide side = SideOf(session, view);
    if (side == ViewSide::Unknown) return false;
    const WarpObjStru& warp = *session.WarpObj;
    if (warp.addMode || UsedSlots(warp) == 0) return false;
    const FieldSide lists = SideLists(session, side == ViewSide::Source);
    VectorLayer& layer = lists.own.Layer();
    lists.other.Layer().SetObjStyle(lists.otherCursor, kStyleNone);
    for (int32_t k = 0; k < UsedSlots(warp); ++k) {
        if (!HoldsPoint(lists.points[k])) continue;
        if (!MarkerWithinReach(lists.own, lists.pointMarkers[k], x, y)) continue;
        layer.SetObjID(lists.pointMarkers[0], k + IdBase);
        PlaceCursorMarker(lists.other, lists.otherCursor, lists.partnerPoints[k]);
        lists.other.Layer().SetObjStyle(lists.otherCursor, kStyleVisible);
        return true;
    }
    layer.SetObjID(lists.pointMarkers[0], 0);
    return false;
}

void FieldDrag(MorphSession& session, int32_t x, int32_t y, ImageView& view) {
    const ViewSide side = SideOf(session, view);
    if (side == ViewSide::Unknown) return;
    WarpObjStru& warp = *session.WarpObj;
    const Point32 at = StoredPoint(x, y);
    if (warp.addMode) {
        // The newest point follows the mouse in both images, whichever view
        // it is over; a trailing break is not a point and stays put.
        if (!LastSlotHoldsPoint(warp)) return;
        const int32_t k = UsedSlots(warp) - 1;
        warp.srcPoints[k] = at;
        warp.dstPoints[k] = at;
        RefreshInBothViews(session, k);
        return;
    }
    const FieldSide lists = SideLists(session, side == ViewSide::Source);
    const int64_t selected = int64_t{lists.own.Layer().GetObjID(lists.pointMarkers[0])} - IdBase;
    if (selected < 0 || selected >= UsedSlots(warp)) return;
    const auto k = static_cast<int32_t>(selected);
    if (!SlotHoldsPoint(warp, k)) return;
    if (side == ViewSide::Source && warp.moveBoth) {
        warp.dstPoints[k] = at;
        RefreshFieldPoint(session, k, warp.dstPoints, *session.VectRight);
    }
    lists.points[k] = at;
    RefreshFieldPoint(session, k, lists.points, view);
}

void RefreshFieldPoint(MorphSession& session, int32_t k, const Point32* points, ImageView& view) {
    const ViewSide side = SideOf(session, view);
    if (side == ViewSide::Unknown || !points) return;
    const WarpObjStru& warp = *session.WarpObj;
    if (!SlotHoldsPoint(warp, k)) return;
    const FieldSide lists = SideLists(session, side == ViewSide::Source);
    MoveMarker(view, lists.pointMarkers[k], points[k]);
    PlaceCursorMarker(lists.other, lists.otherCursor, lists.partnerPoints[k]);

    // The lines that meet at point k: the one before it unless k starts its
    // polyline, the one after it unless k ends it.
    int32_t first = k;
    int32_t last = k;
    if (k >= 1) {
        if (SlotHoldsPoint(warp, k - 1)) first = k - 1;
        last = SlotHoldsPoint(warp, k + 1) ? k : k - 1;
    }
    for (int32_t s = first; s <= last; ++s) {
        if (!SlotHoldsPoint(warp, s) || !SlotHoldsPoint(warp, s + 1)) continue;
        PlaceLineObject(view, lists.segLines[s], points[s], points[s + 1]);
    }
}

void LineBreak(MorphSession& session) {
    if (!session.WarpObj) return;
    WarpObjStru& warp = *session.WarpObj;
    // The slot taken is already empty and becomes the break; at the limit
    // there is no slot left to take.
    if (LastSlotHoldsPoint(warp) && UsedSlots(warp) < MaxFieldPoints) warp.pointCount = UsedSlots(warp) + 1;
}

void ClearFieldLines(MorphSession& session) {
    if (!session.WarpObj) return;
    WarpObjStru& warp = *session.WarpObj;
    // Removes an object from the source view and its partner from the
    // destination view, and empties both slots.
    const auto removePair = [&](ObjectHandle& left, ObjectHandle& right) {
        if (left != EmptySlot) {
            if (session.VectLeft) session.VectLeft->Layer().RemoveObject(left);
            if (session.VectRight) session.VectRight->Layer().RemoveObject(right);
        }
        left = right = EmptySlot;
    };
    // Every slot is looked at, not only those in use, so that no object
    // outlives the clear whatever the count said.
    for (int32_t k = 0; k < FieldSlots; ++k) removePair(warp.leftSegLines[k], warp.rightSegLines[k]);
    for (int32_t k = 0; k < FieldSlots; ++k) {
        removePair(warp.leftPointMarkers[k], warp.rightPointMarkers[k]);
        warp.srcPoints[k].x = EmptySlot;
        warp.dstPoints[k].x = EmptySlot;
    }
    warp.pointCount = 0;
}

int32_t FreeFieldSlots(const WarpObjStru& warp) { return MaxFieldPoints - UsedSlots(warp); }

}  // namespace kavrell

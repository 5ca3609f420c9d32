#pragma once

#include <cstdint>
#include <memory>

#include "platform/vector_layer.h"

namespace kavrell {

// A position in pixels of the full-size image: x from the left edge, y from
// the top edge. Never clamped, so it may lie outside the image.
struct Point32 {
    int32_t x;
    int32_t y;
    bool operator==(const Point32&) const = default;
};

inline constexpr int32_t EmptySlot = 0xFFFFF;    // x of an empty field slot; no object
inline constexpr int32_t MaxFieldPoints = 1000;  // presses stop adding points here
inline constexpr int32_t FieldSlots = 1024;      // capacity of every field list
inline constexpr int32_t MeshSlots = 102;        // 100 interior node lines plus two border ones
inline constexpr int32_t IdBase = 10;            // added to an index stored in an object ID

// A field slot holds a point when its x lies below the empty mark.
inline bool HoldsPoint(const Point32& slot) { return slot.x < EmptySlot; }

using MeshNodes = Point32[MeshSlots][MeshSlots];         // [column][row]
using MeshHandles = ObjectHandle[MeshSlots][MeshSlots];  // [column][row]

// Everything the user has set up in one editor session: the method, the mesh
// and the polylines with the handles of their markers, the counters and the
// mode flags. Plain data; the editing operations keep its invariants.
struct WarpObjStru {
    int32_t method;  // 0 mesh, 1 field lines
    int32_t leftPressX;
    int32_t leftReleaseX;
    int32_t leftPressY;
    int32_t leftReleaseY;
    int32_t rightPressX;
    int32_t rightReleaseX;
    int32_t rightPressY;
    int32_t rightReleaseY;
    ObjectHandle leftCursorMarker;
    ObjectHandle rightCursorMarker;
    bool buttonDown;
    bool moveBoth;
    bool warpOnly;
    int32_t pointCount;  // field slots in use from slot 0, breaks included
    bool addMode;
    Point32 srcPoints[FieldSlots];
    Point32 dstPoints[FieldSlots];
    ObjectHandle leftSegLines[FieldSlots];
    ObjectHandle leftPointMarkers[FieldSlots];
    ObjectHandle rightSegLines[FieldSlots];
    ObjectHandle rightPointMarkers[FieldSlots];
    bool linear;       // mesh curves: true linear, false Catmull-Rom
    int32_t meshCols;  // interior node columns; 0 means no mesh
    int32_t meshRows;  // interior node rows
    MeshNodes srcNodes;
    MeshNodes dstNodes;
    MeshHandles leftColLines;
    MeshHandles leftRowLines;
    MeshHandles leftNodeMarkers;
    MeshHandles rightColLines;
    MeshHandles rightRowLines;
    MeshHandles rightNodeMarkers;
};

// Gives a record the values it has when the editor is shown: mesh method, no
// mesh, no field points (every slot and handle empty), add mode on, move-both
// off. The other fields are zeroed; the cursor markers are the editor's to
// create. warpOnly is set as given.
void ResetWarpState(WarpObjStru& warp, bool warpOnly);

// A new record on the heap (it is several hundred kilobytes) in its shown state.
std::unique_ptr<WarpObjStru> NewWarpState(bool warpOnly);

}  // namespace kavrell

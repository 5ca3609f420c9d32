#pragma once

#include <cstdint>
#include <memory>

#include "engine/control_points.h"
#include "morph/editor_limits.h"
#include "platform/vector_layer.h"

namespace kavrell {

inline constexpr int32_t MaxFieldPoints = 1000;  // presses stop adding points here
inline constexpr int32_t IdBase = 10;            // added to an index stored in an object ID

// The warp method: the two-pass mesh or the field lines.
enum class WarpMethod : int32_t { Mesh = 0, Field = 1 };

using MeshHandles = ObjectHandle[MeshSlots][MeshSlots];  // [column][row]

// Everything the user has set up in one editor session: the method, the mesh
// and the polylines with the handles of their markers, the counters and the
// mode flags. Plain data; the editing operations keep its invariants.
struct WarpObjStru {
    WarpMethod method;
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

// A mesh exists when both counts lie in range; a record with any other
// counts is treated as having none, so no loop indexes beyond the arrays.
inline bool HasMesh(const WarpObjStru& warp) {
    return warp.meshCols >= MinMeshCount && warp.meshCols <= MaxMeshCount && warp.meshRows >= MinMeshCount &&
           warp.meshRows <= MaxMeshCount;
}

// The selected method has something to warp with: a mesh, or field points.
inline bool HasControlPoints(const WarpObjStru& warp) {
    return warp.method == WarpMethod::Mesh ? HasMesh(warp) : warp.pointCount != 0;
}

// Gives a record the values it has when the editor is shown: mesh method, no
// mesh, no field points (every slot and handle empty), add mode on, move-both
// off. The other fields are zeroed; the cursor markers are the editor's to
// create. warpOnly is set as given.
void ResetWarpState(WarpObjStru& warp, bool warpOnly);

// A new record on the heap (it is several hundred kilobytes) in its shown state.
std::unique_ptr<WarpObjStru> NewWarpState(bool warpOnly);

}  // namespace kavrell

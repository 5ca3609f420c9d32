#pragma once

#include <cstdint>

#include "morph/session.h"

namespace kavrell {

// Lays a new regular mesh of cols x rows interior nodes over both images,
// replacing any mesh. Counts outside 1..100 are clamped into that range.
void CreateMesh(MorphSession& session, int32_t cols, int32_t rows);

// Removes the mesh and its objects from both views.
void ClearMesh(MorphSession& session);

void MeshPress(MorphSession& session, int32_t x, int32_t y, ImageView& view);
void MeshRelease(MorphSession& session, int32_t x, int32_t y, ImageView& view);

// Hover test: records the node under (x, y) in this view's selection slots and
// shows its partner in the other view. True when the point is over a node.
bool HitMeshNode(MorphSession& session, int32_t x, int32_t y, ImageView& view);

// Moves the selected node of this view (and, from the source view with
// move-both set, its destination partner) to (x, y).
void MeshDrag(MorphSession& session, int32_t x, int32_t y, ImageView& view);

// Redraws node [i][j] of nodes (the array belonging to view): its marker, the
// other view's cursor marker and the four grid lines meeting at it.
void RefreshMeshNode(MorphSession& session, int32_t i, int32_t j, const MeshNodes& nodes, ImageView& view);

}  // namespace kavrell

#pragma once

#include <cstdint>

#include "morph/session.h"
#include "platform/color.h"

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

// Shows the markers of method (0 mesh, 1 field lines) in both views and hides
// every other object, the cursor markers included.
void ShowMethodMarkers(MorphSession& session, int32_t method);

// Adds a 10 x 10 box centred on (x, y) to view, pen and brush as given, solid,
// visible and in front, and stores its handle in slot.
void AddPointMarker(ObjectHandle& slot, int32_t x, int32_t y, ImageView& view, Color pen, Color brush);

// Shared with the field-line editing, whose objects follow the mesh's.

// Which of the session's views a view is: the source (VectLeft) or the
// destination (VectRight). Unknown for any other view, or when the session
// lacks its record or a view; the operations then do nothing.
enum class ViewSide { Unknown, Source, Destination };
ViewSide SideOf(const MorphSession& session, const ImageView& view);

// Records (x, y) as the last press or release position in the side's view.
void RecordPress(WarpObjStru& warp, ViewSide side, int32_t x, int32_t y);
void RecordRelease(WarpObjStru& warp, ViewSide side, int32_t x, int32_t y);

// Adds a red line object with the given corner and extent to view, selected,
// ID 0, visible only and behind every other object; returns its handle.
ObjectHandle AddLineObject(ImageView& view, int32_t left, int32_t top, int32_t width, int32_t height);

// Makes a line object run from `from` to `to`; an extent that reads back as 0
// becomes 1, so the line never degenerates to a point.
void PlaceLineObject(ImageView& view, ObjectHandle line, Point32 from, Point32 to);

// Centres a 10 x 10 point marker on centre.
void MoveMarker(ImageView& view, ObjectHandle marker, Point32 centre);

// Centres a 20 x 20 cursor marker on the partner point it shows.
void PlaceCursorMarker(ImageView& view, ObjectHandle marker, Point32 partner);

// The hover test of one point marker: its centre lies less than 10 pixels
// from (x, y) on both axes.
bool MarkerWithinReach(const ImageView& view, ObjectHandle marker, int32_t x, int32_t y);

}  // namespace kavrell

#pragma once

#include <cstdint>

#include "engine/control_points.h"
#include "platform/color.h"
#include "platform/image_view.h"
#include "platform/vector_layer.h"

namespace kavrell {

// The objects that draw control points in a view's vector layer, shared by
// the mesh and the field-line editing.

// Adds the hidden 20 x 20 aqua circle that shows, in one view, the partner of
// the node or point under the mouse in the other view; returns its handle.
ObjectHandle AddCursorMarker(ImageView& view);

// Adds a 10 x 10 box centred on (x, y) to view, pen and brush as given, solid,
// visible and in front, and stores its handle in slot.
void AddPointMarker(ObjectHandle& slot, int32_t x, int32_t y, ImageView& view, Color pen, Color brush);

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

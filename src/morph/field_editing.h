#pragma once

#include <cstdint>

#include "morph/session.h"

namespace kavrell {

// Add mode: adds a point (two when starting a polyline) at (x, y) in both
// images. Move mode: starts a drag of the point the last hover test recorded.
void FieldPress(MorphSession& session, int32_t x, int32_t y, ImageView& view);
void FieldRelease(MorphSession& session, int32_t x, int32_t y, ImageView& view);

// Move-mode hover test: records the point under (x, y) in this view's
// selection slot and shows its partner in the other view.
bool HitFieldPoint(MorphSession& session, int32_t x, int32_t y, ImageView& view);

// Add mode: drags the newest point in both images. Move mode: drags the
// selected point of this view (and its partner with move-both from the
// source view).
void FieldDrag(MorphSession& session, int32_t x, int32_t y, ImageView& view);

// Redraws point k of points (the list belonging to view): its marker, the
// other view's cursor marker and the lines that meet at it.
void RefreshFieldPoint(MorphSession& session, int32_t k, const Point32* points, ImageView& view);

// Ends the current polyline with a break slot, so the next press starts a new one.
void LineBreak(MorphSession& session);

// Removes every polyline, with its objects in both views.
void ClearFieldLines(MorphSession& session);

// The number of slots still free, as the "Free:" label shows it.
int32_t FreeFieldSlots(const WarpObjStru& warp);

}  // namespace kavrell

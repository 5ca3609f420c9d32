#pragma once

#include <cstdint>

#include "morph/session.h"

namespace kavrell {

// Which of the session's views a view is: the source (VectLeft) or the
// destination (VectRight). Unknown for any other view, or when the session
// lacks its record or a view; the editing operations then do nothing.
enum class ViewSide { Unknown, Source, Destination };
ViewSide SideOf(const MorphSession& session, const ImageView& view);

// Records (x, y) as the last press or release position in the side's view.
void RecordPress(WarpObjStru& warp, ViewSide side, int32_t x, int32_t y);
void RecordRelease(WarpObjStru& warp, ViewSide side, int32_t x, int32_t y);

}  // namespace kavrell

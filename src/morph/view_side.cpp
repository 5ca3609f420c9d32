#include "morph/view_side.h"

namespace kavrell {

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

}  // namespace kavrell

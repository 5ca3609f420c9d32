#include "morph/warp_state.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace kavrell {

static_assert(std::is_trivially_copyable_v<WarpObjStru>);

void ResetWarpState(WarpObjStru& warp, bool warpOnly) {
    std::memset(&warp, 0, sizeof warp);
    warp.method = WarpMethod::Mesh;
    warp.warpOnly = warpOnly;
    warp.pointCount = 0;
    warp.addMode = true;
    warp.moveBoth = false;
    for (int32_t k = 0; k < FieldSlots; ++k) {
        warp.srcPoints[k].x = EmptySlot;
        warp.dstPoints[k].x = EmptySlot;
    }
    std::fill(std::begin(warp.leftSegLines), std::end(warp.leftSegLines), EmptySlot);
    std::fill(std::begin(warp.leftPointMarkers), std::end(warp.leftPointMarkers), EmptySlot);
    std::fill(std::begin(warp.rightSegLines), std::end(warp.rightSegLines), EmptySlot);
    std::fill(std::begin(warp.rightPointMarkers), std::end(warp.rightPointMarkers), EmptySlot);
    warp.meshCols = 0;
    warp.meshRows = 0;
}

std::unique_ptr<WarpObjStru> NewWarpState(bool warpOnly) {
    auto warp = std::make_unique<WarpObjStru>();
    ResetWarpState(*warp, warpOnly);
    return warp;
}

}  // namespace kavrell

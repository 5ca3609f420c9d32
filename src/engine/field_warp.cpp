#include "engine/field_warp.h"

#include "engine/warp_failure.h"

namespace kavrell {

// Temporary: the field warp is being written.
void FieldWarpSequence(int32_t, int32_t, const WarpObjStru&, double, WorkingSet&) {
    throw WarpFailure("field warp not built yet");
}

}  // namespace kavrell

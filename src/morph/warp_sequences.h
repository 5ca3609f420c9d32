#pragma once

#include <cstdint>

#include "engine/working_set.h"
#include "morph/warp_state.h"

namespace kavrell {

// The mesh method's frame loop: every in-between frame of the schedule from
// the record's source and destination meshes, scaled by scale into working
// coordinates. Raises WarpFailure on a zero divisor or a record without a mesh.
void MeshWarpSequence(int32_t frameCount, int32_t delay, const WarpObjStru& warp, double scale,
                      WorkingSet& work);

// The field method's frame loop: every in-between frame of the schedule from
// the record's line pairs, scaled by scale into working coordinates. Raises
// WarpFailure on a zero divisor.
void FieldWarpSequence(int32_t frameCount, int32_t delay, const WarpObjStru& warp, double scale,
                       WorkingSet& work);

}  // namespace kavrell

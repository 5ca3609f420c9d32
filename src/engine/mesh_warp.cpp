#include "engine/mesh_warp.h"

#include "engine/warp_failure.h"

namespace kavrell {

// Temporary: the mesh warp is being written.
void MeshWarpSequence(int32_t, int32_t, const WarpObjStru&, double, WorkingSet&) {
    throw WarpFailure("mesh warp not built yet");
}

}  // namespace kavrell

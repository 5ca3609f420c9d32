#include "morph/warp_sequences.h"

#include <memory>

#include "engine/field_warp.h"
#include "engine/frame_schedule.h"
#include "engine/mesh_warp.h"
#include "engine/warp_failure.h"

namespace kavrell {

void MeshWarpSequence(int32_t frameCount, int32_t delay, const WarpObjStru& warp, double scale,
                      WorkingSet& work) {
    if (!HasMesh(warp)) throw WarpFailure("no mesh");
    const MeshCoords source =
        MeshFromNodes(warp.srcNodes, warp.meshCols, warp.meshRows, scale, work.WorkWidth, work.WorkHeight);
    const MeshCoords destination =
        MeshFromNodes(warp.dstNodes, warp.meshCols, warp.meshRows, scale, work.WorkWidth, work.WorkHeight);
    MeshCoords blended = source;
    const bool linear = warp.linear;
    const bool warpOnly = warp.warpOnly;

    ProduceInBetweenFrames(work, frameCount, delay, warpOnly, [&](const InBetweenFrame& frame) {
        BlendMeshes(source, destination, frame.w, frame.t, blended);
        MeshWarpImage(work.SrcLastRow, work.OutSrcLastRow, work.WorkHeight, work.WorkWidth, source, blended,
                      linear);
        if (!warpOnly) {
            MeshWarpImage(work.DstLastRow, work.OutDstLastRow, work.WorkHeight, work.WorkWidth, destination,
                          blended, linear);
        }
    });
}

void FieldWarpSequence(int32_t frameCount, int32_t delay, const WarpObjStru& warp, double scale,
                       WorkingSet& work) {
    const auto pairs = std::make_unique<LinePairs>();
    BuildLinePairs(warp.srcPoints, warp.dstPoints, warp.pointCount, scale, work.ImageHeight, *pairs);
    const WarpLine* sourceLines = pairs->source.data();
    const WarpLine* destinationLines = pairs->destination.data();

    ProduceInBetweenFrames(work, frameCount, delay, warp.warpOnly, [&](const InBetweenFrame& frame) {
        // The source moves forward onto the interpolated lines, the destination
        // backward onto the same lines.
        FieldWarpImage(work.SrcLastRow, work.OutSrcLastRow, sourceLines, frame.t, work.WorkWidth,
                       work.WorkHeight, pairs->count, destinationLines, work.RowStride);
        if (!warp.warpOnly) {
            FieldWarpImage(work.DstLastRow, work.OutDstLastRow, destinationLines, frame.w, work.WorkWidth,
                           work.WorkHeight, pairs->count, sourceLines, work.RowStride);
        }
    });
}

}  // namespace kavrell

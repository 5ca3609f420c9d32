#include "morph/sequence_driver.h"

#include <algorithm>
#include <cmath>

#include "engine/warp_failure.h"
#include "morph/messages.h"
#include "morph/warp_sequences.h"
#include "platform/image_processor.h"

namespace kavrell {
namespace {

bool HasImageSize(const Bitmap& image, const MorphSession& session) {
    return image.Width() == session.ImageWidth && image.Height() == session.ImageHeight;
}

}  // namespace

int32_t ProgressStepFor(int32_t frameCount) {
    if (frameCount <= 0) return 100;
    return static_cast<int32_t>(std::ceil(100.0 / frameCount));
}

int32_t WorkingSide(int32_t side, double scale) {
    const double scaled = side * scale;
    return std::max(1, static_cast<int32_t>(std::ceil(scaled)));
}

bool GenerateMorphSequence(MorphSession& session) {
    // The caller guarantees these; refusing here keeps a wrong call from
    // reading outside the images.
    if (!session.WarpObj || !session.Frames || !session.Gauge || !session.ImagesPresent() ||
        !HasImageSize(session.VectLeft->Image(), session) ||
        !HasImageSize(session.VectRight->Image(), session)) {
        return false;
    }
    const WarpObjStru& warp = *session.WarpObj;
    WorkingSet& work = session.Work;
    work = WorkingSet{};
    work.ImageHeight = session.ImageHeight;
    work.Frames = session.Frames;
    work.Gauge = session.Gauge;
    work.ProgressStep = ProgressStepFor(session.FrameCount);

    Bitmap previewSrc;
    Bitmap previewDst;
    if (session.PreviewMode) {
        const int32_t longer = std::max(session.ImageWidth, session.ImageHeight);
        session.WarpScale = session.PreviewSize / longer;
        work.WorkWidth = WorkingSide(session.ImageWidth, session.WarpScale);
        work.WorkHeight = WorkingSide(session.ImageHeight, session.WarpScale);
        ResampleTo(session.VectLeft->Image(), previewSrc, work.WorkWidth, work.WorkHeight);
        ResampleTo(session.VectRight->Image(), previewDst, work.WorkWidth, work.WorkHeight);
        work.SrcWork = &previewSrc;
        work.DstWork = &previewDst;
    } else {
        session.WarpScale = 1.0;
        work.WorkWidth = session.ImageWidth;
        work.WorkHeight = session.ImageHeight;
        work.SrcWork = &session.VectLeft->Image();
        work.DstWork = &session.VectRight->Image();
    }
    work.SrcLastRow = work.SrcWork->LastRow();
    work.DstLastRow = work.DstWork->LastRow();

    Bitmap outSrc(work.WorkWidth, work.WorkHeight);
    Bitmap outDst(work.WorkWidth, work.WorkHeight);
    work.OutSrc = &outSrc;
    work.OutDst = &outDst;
    work.OutSrcLastRow = outSrc.LastRow();
    work.OutDstLastRow = outDst.LastRow();
    work.RowStride = outSrc.RowStride();
    work.RowPad = work.RowStride - 3 * work.WorkWidth;

    AppendFrame(*work.Frames, *work.SrcWork, session.FrameDelay);
    work.Gauge->Advance(work.ProgressStep);

    bool completed = false;
    try {
        if (warp.method == WarpMethod::Mesh) {
            MeshWarpSequence(session.FrameCount, session.FrameDelay, warp, session.WarpScale, work);
        } else {
            FieldWarpSequence(session.FrameCount, session.FrameDelay, warp, session.WarpScale, work);
        }
        completed = true;
    } catch (const WarpFailure&) {
        MorphMessage(kMsgGenerationFailed);
    }
    if (completed && !warp.warpOnly) AppendFrame(*work.Frames, *work.DstWork, session.FrameDelay);

    // The bitmaps go with this call; keep only the sizes of the run.
    work.SrcWork = work.DstWork = nullptr;
    work.OutSrc = work.OutDst = nullptr;
    work.SrcLastRow = work.DstLastRow = nullptr;
    work.OutSrcLastRow = work.OutDstLastRow = nullptr;
    work.Gauge->SetProgress(100);
    return completed;
}

}  // namespace kavrell

#include "engine/frame_schedule.h"

#include "platform/image_processor.h"

namespace kavrell {

std::vector<InBetweenFrame> FrameSchedule(int32_t frameCount, bool warpOnly) {
    const int32_t n = warpOnly ? frameCount + 1 : frameCount;
    std::vector<InBetweenFrame> frames;
    for (int32_t i = 1; i < n - 1; ++i) {
        const double t = static_cast<double>(i) / (n - 1);
        const double w = 1.0 - t;
        // The share is truncated from the extended-precision product, not
        // from a rounded double: 0.7 x 100 gives 69.
        const auto percent = static_cast<int32_t>(static_cast<long double>(w) * 100.0L);
        frames.push_back({i, t, w, percent});
    }
    return frames;
}

void ProduceInBetweenFrames(WorkingSet& work, int32_t frameCount, int32_t delay, bool warpOnly,
                            const FrameWarp& warpFrame) {
    for (const InBetweenFrame& frame : FrameSchedule(frameCount, warpOnly)) {
        warpFrame(frame);
        if (!warpOnly) MergeIEBitmap(*work.OutSrc, *work.OutDst, frame.percent);
        AppendFrame(*work.Frames, *work.OutSrc, delay);
        work.Gauge->Advance(work.ProgressStep);
    }
}

}  // namespace kavrell

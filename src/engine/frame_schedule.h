#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/working_set.h"

namespace kavrell {

// One in-between frame: the geometry lies the share t of the way from the
// source to the destination (w = 1 - t), and the warped source makes up
// percent of the blend.
struct InBetweenFrame {
    int32_t index;  // 1, 2, ... in frame order
    double t;
    double w;
    int32_t percent;
};

// The in-between frames of a run with frameCount frames. Full morphing puts
// them at t = i / (frameCount - 1) between the source and the destination
// frame; warp-only at t = i / frameCount after the source frame. A frame
// count below 1 gives none.
std::vector<InBetweenFrame> FrameSchedule(int32_t frameCount, bool warpOnly);

// Warps the images of one in-between frame: the source into OutSrc and, unless
// warp-only, the destination into OutDst.
using FrameWarp = std::function<void(const InBetweenFrame&)>;

// The frame loop both warp methods share: for every in-between frame, warp,
// cross-dissolve (full morphing only), append OutSrc with the delay and
// advance the gauge by ProgressStep. A failure of warpFrame propagates.
void ProduceInBetweenFrames(WorkingSet& work, int32_t frameCount, int32_t delay, bool warpOnly,
                            const FrameWarp& warpFrame);

}  // namespace kavrell

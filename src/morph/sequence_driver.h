#pragma once

#include <cstdint>

#include "morph/session.h"

namespace kavrell {

// The step added to the gauge per frame: 100 / frameCount rounded up, and 100
// for a frame count of 0 (which then runs as the smallest sequence).
int32_t ProgressStepFor(int32_t frameCount);

// The working size of one side: the full-size side times scale, rounded up,
// and never below 1.
int32_t WorkingSide(int32_t side, double scale);

// Generates the sequence of the session into its frame list: the source
// frame, the in-between frames of the selected method and, in full morphing
// mode, the destination frame. A failing warp shows message 0 and returns
// false; the frames made before stay. The gauge ends at 100.
//
// Expects what the generate command establishes: a record whose selected
// method has control points, both images present at ImageWidth x ImageHeight,
// the settings set, the frame list cleared and the gauge at 0.
bool GenerateMorphSequence(MorphSession& session);

}  // namespace kavrell

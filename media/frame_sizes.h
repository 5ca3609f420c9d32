#pragma once

#include "platform/frame_list.h"

namespace kavrell {

// An animation file has one canvas: refuses (std::runtime_error) an empty
// list and frames whose size differs from the first frame's.
void RequireOneFrameSize(const FrameList& frames);

}  // namespace kavrell

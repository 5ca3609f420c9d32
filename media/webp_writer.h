#pragma once

#include <cstdint>
#include <vector>

#include "platform/frame_list.h"

namespace kavrell {

// The frames as a lossless animated WebP that loops forever, each frame
// shown for its display time. libwebp's animation encoder stores runs of
// identical consecutive frames once, shown for their added times. Throws
// std::runtime_error when the encoder fails or the frames differ in size.
std::vector<uint8_t> EncodeWebP(const FrameList& frames);

}  // namespace kavrell

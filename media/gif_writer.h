#pragma once

#include <cstdint>
#include <vector>

#include "platform/frame_list.h"

namespace kavrell {

// The frames as an animated GIF that loops forever: each frame with its own
// 256-colour palette (median cut) and its display time in hundredths of a
// second. Throws std::runtime_error when giflib fails, a frame is larger
// than GIF allows or the frames differ in size.
std::vector<uint8_t> EncodeGif(const FrameList& frames);

}  // namespace kavrell

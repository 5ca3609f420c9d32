#include "platform/frame_list.h"

namespace kavrell {

int32_t FrameList::AppendImage(const Bitmap& bitmap) {
    frames_.push_back({bitmap, 0});
    return Count() - 1;
}

void FrameList::SetImageDelayTime(int32_t index, int32_t milliseconds) {
    frames_.at(static_cast<size_t>(index)).delayMs = milliseconds;
}

}  // namespace kavrell

#include "engine/working_set.h"

namespace kavrell {

void AppendFrame(FrameList& frames, const Bitmap& bitmap, int32_t delay) {
    const int32_t index = frames.AppendImage(bitmap);
    frames.SetImageDelayTime(index, delay * 10);
}

}  // namespace kavrell

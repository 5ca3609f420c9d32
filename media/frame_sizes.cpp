#include "media/frame_sizes.h"

#include <stdexcept>
#include <string>

namespace kavrell {
namespace {

std::string SizeText(const Bitmap& frame) {
    return std::to_string(frame.Width()) + " x " + std::to_string(frame.Height());
}

}  // namespace

void RequireOneFrameSize(const FrameList& frames) {
    if (frames.Count() == 0) throw std::runtime_error("no frames to write");
    const Bitmap& first = frames.Frame(0);
    for (int32_t index = 1; index < frames.Count(); ++index) {
        const Bitmap& frame = frames.Frame(index);
        if (frame.Width() != first.Width() || frame.Height() != first.Height()) {
            throw std::runtime_error("frame " + std::to_string(index + 1) + " is " + SizeText(frame) +
                                     " but the first is " + SizeText(first) +
                                     "; an animation's frames must all have one size");
        }
    }
}

}  // namespace kavrell

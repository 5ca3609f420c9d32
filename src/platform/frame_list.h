#pragma once

#include <cstdint>
#include <vector>

#include "platform/bitmap.h"

namespace kavrell {

// The generated sequence: a copy of every frame with its display time.
class FrameList {
public:
    // Appends a copy of bitmap with a display time of 0 and returns its index.
    int32_t AppendImage(const Bitmap& bitmap);
    void SetImageDelayTime(int32_t index, int32_t milliseconds);

    int32_t Count() const { return static_cast<int32_t>(frames_.size()); }
    const Bitmap& Frame(int32_t index) const { return frames_.at(static_cast<size_t>(index)).image; }
    int32_t DelayMs(int32_t index) const { return frames_.at(static_cast<size_t>(index)).delayMs; }
    void Clear() { frames_.clear(); }

private:
    struct Entry {
        Bitmap image;
        int32_t delayMs = 0;
    };
    std::vector<Entry> frames_;
};

}  // namespace kavrell

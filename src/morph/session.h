#pragma once

#include <cstdint>
#include <memory>

#include "engine/working_set.h"
#include "morph/editor_limits.h"
#include "morph/warp_state.h"
#include "platform/frame_list.h"
#include "platform/image_view.h"
#include "platform/progress_gauge.h"

namespace kavrell {

// The state of one editor session that the editing operations and the
// sequence driver share: the warp state record, the two views with their
// images, the common image size, the generation settings and the places the
// frames and the progress go to.
struct MorphSession {
    std::unique_ptr<WarpObjStru> WarpObj;
    ImageView* VectLeft = nullptr;   // source image
    ImageView* VectRight = nullptr;  // destination image
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;

    double PreviewSize = 200.0;
    double WarpScale = 1.0;
    int32_t FrameCount = DefaultFrames;
    int32_t FrameDelay = DefaultDelay;  // hundredths of a second
    bool PreviewMode = false;

    FrameList* Frames = nullptr;
    ProgressGauge* Gauge = nullptr;

    // The sizes of the last run; its image pointers are cleared after it.
    WorkingSet Work;

    // Both views show an image.
    bool ImagesPresent() const {
        return VectLeft && VectRight && !VectLeft->Image().Empty() && !VectRight->Image().Empty();
    }
};

}  // namespace kavrell

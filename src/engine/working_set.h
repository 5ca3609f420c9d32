#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "platform/frame_list.h"
#include "platform/progress_gauge.h"

namespace kavrell {

// The images and sizes of one generation run, prepared by the sequence driver
// and read by the warps. The bitmaps belong to the driver (or to the views)
// and exist only during the run; the driver clears the pointers afterwards.
struct WorkingSet {
    int32_t ImageHeight = 0;  // height of the editor's images before any preview scaling
    int32_t WorkWidth = 0;
    int32_t WorkHeight = 0;
    int32_t RowStride = 0;  // bytes per row: 3 x WorkWidth rounded up to a multiple of 4
    int32_t RowPad = 0;     // filler bytes at the end of each row
    int32_t ProgressStep = 0;

    const Bitmap* SrcWork = nullptr;
    const Bitmap* DstWork = nullptr;
    Bitmap* OutSrc = nullptr;
    Bitmap* OutDst = nullptr;
    const uint8_t* SrcLastRow = nullptr;
    const uint8_t* DstLastRow = nullptr;
    uint8_t* OutSrcLastRow = nullptr;
    uint8_t* OutDstLastRow = nullptr;

    FrameList* Frames = nullptr;
    ProgressGauge* Gauge = nullptr;
};

// Appends a copy of bitmap to the frame list, shown for delay hundredths of a
// second.
void AppendFrame(FrameList& frames, const Bitmap& bitmap, int32_t delay);

}  // namespace kavrell

#pragma once

#include <optional>

#include "platform/bitmap.h"
#include "platform/frame_list.h"
#include "qvx_plugin.h"

namespace kavrell::cli {

// The host the editor window talks to when the command line opens it: it
// hands over the two images read from files, answers the animation query and
// keeps a copy of every frame the window hands back. The boundary's callback
// carries no context, so one host at a time is reached through Callback().
class EditHost {
public:
    EditHost(const Bitmap& current, const std::optional<Bitmap>& next);
    ~EditHost();
    EditHost(const EditHost&) = delete;
    EditHost& operator=(const EditHost&) = delete;

    // The callback of the host that lives now.
    static HostCallback Callback() { return &Answer; }

    // The frames handed over with hcAddMorphFrame or hcAddWarpFrame, with
    // their display times.
    const FrameList& Frames() const { return frames_; }

private:
    static void Answer(int32_t command, HostFrameRecord* record);
    void Take(const HostFrameRecord& record);

    HostBitmap current_;
    std::optional<HostBitmap> next_;
    FrameList frames_;
};

}  // namespace kavrell::cli

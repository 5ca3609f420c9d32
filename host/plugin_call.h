#pragma once

#include <QString>

#include "host/host_frame.h"
#include "host/plugin_library.h"
#include "qvx_plugin.h"

namespace qvxhost {

// One run of a plug-in, answering its commands: 12 from the animation mode,
// 5 with the current and next frame viewed in place, and 3 and 4 by copying
// each frame handed over. One call at a time (the callback has no context).
class PlugInCall {
public:
    PlugInCall(bool animationOn, const QImage& current, const QImage* next);
    PlugInCall(const PlugInCall&) = delete;
    PlugInCall& operator=(const PlugInCall&) = delete;

    void Run(const PlugInLibrary& plugIn, HostWindowHandle window);

    // The frames handed over, in order, with their display times.
    const HostFrames& received() const { return received_; }
    // How many handed frames were unusable and dropped.
    int refused() const { return refused_; }

private:
    static void OnCommand(int32_t command, HostFrameRecord* record);
    void Answer(int32_t command, HostFrameRecord* record);
    void Receive(const HostFrameRecord& record);

    bool animationOn_;
    // Shallow copies: they keep the pixels alive and unchanged for the call.
    QImage current_;
    QImage next_;
    HostBitmap currentBitmap_{};
    HostBitmap nextBitmap_{};
    HostFrames received_;
    int refused_ = 0;
};

}  // namespace qvxhost

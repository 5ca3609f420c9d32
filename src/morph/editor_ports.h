#pragma once

#include <cstdint>

#include "platform/bitmap.h"
#include "qvx_plugin.h"

namespace kavrell {

// The two pieces the editor model hands a generated sequence to. The caller
// supplies both: the window its player window and the plug-in's host, tests
// and the command line their own.

// Modal results of the player window.
inline constexpr int32_t PlayerSaveAndExit = 1;  // "Save sequence and exit"
inline constexpr int32_t PlayerClosed = 2;       // closed any other way

// The player window: shows the model's frame list modally.
class SequencePlayer {
public:
    virtual ~SequencePlayer() = default;

    // Shows the frames until the user closes the player; in preview mode
    // without its save button. Answers PlayerSaveAndExit or PlayerClosed.
    virtual int32_t ShowModal(bool preview) = 0;
};

// The host's side of the hand-over: receives the frames one at a time.
class FrameHandOver {
public:
    virtual ~FrameHandOver() = default;

    // One frame with the host command (hcAddMorphFrame or hcAddWarpFrame) and
    // the FrameNumber and DelayMs values of the host record. The bitmap is
    // valid only during the call; the host copies what it keeps.
    virtual void AddFrame(int32_t command, const Bitmap& bitmap, int32_t frameNumber, int32_t delayMs) = 0;
};

}  // namespace kavrell

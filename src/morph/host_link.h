#pragma once

#include <cstdint>

#include "morph/editor_model.h"
#include "morph/editor_ports.h"
#include "platform/bitmap.h"
#include "qvx_plugin.h"

namespace kavrell {

// Copies a bitmap the host passed into the working format. A bitmap that is
// null, has a side below 1, an unknown pixel format, no pixels, rows shorter
// than its width, or a size whose buffer no size_t can address is refused:
// the answer is false and copy is left as it was.
bool CopyHostBitmap(const HostBitmap* source, Bitmap& copy);

// The boundary's view of one of our bitmaps, without copying its pixels: the
// top row's address and a negative row step, as the rows are stored
// bottom-up. Valid while the bitmap is neither changed nor destroyed.
HostBitmap ViewAsHostBitmap(const Bitmap& bitmap);

// The host's side of one editor model: the host's callback and the one frame
// record that every command of the invocation passes. The record starts
// zero-filled and is never cleared, so fields the plug-in does not write keep
// what the host left there, and FrameNumber counts on from the host's value.
class HostLink : public FrameHandOver {
public:
    // Becomes the model's host for the hand-over of saved frames.
    explicit HostLink(EditorModel& model);
    ~HostLink() override;
    HostLink(const HostLink&) = delete;
    HostLink& operator=(const HostLink&) = delete;

    void SetCallback(HostCallback callback) { callback_ = callback; }
    HostCallback Callback() const { return callback_; }
    const HostFrameRecord& Record() const { return record_; }

    // Fetches the current and next frames (hcGetFrames), copies them, lets the
    // host go of them (hcFramesDone) and shows them in the model. A refused
    // bitmap shows message 1 and leaves its view without an image.
    void ShowHostFrames();

    // Hands one frame to the host with the command given; the host copies the
    // pixels during the call.
    void AddFrame(int32_t command, const Bitmap& bitmap, int32_t frameNumber, int32_t delayMs) override;

private:
    void Send(int32_t command);

    EditorModel& model_;
    HostCallback callback_ = nullptr;
    HostFrameRecord record_{};
};

}  // namespace kavrell

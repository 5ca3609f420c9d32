#pragma once

#include <cstdint>
#include <vector>

#include "morph/sequence_driver.h"
#include "morph/session.h"
#include "morph/warp_state.h"
#include "platform/bitmap.h"
#include "platform/frame_list.h"
#include "platform/image_view.h"
#include "platform/progress_gauge.h"

namespace kavrell::test {

// What the sequence driver needs, built by hand the way the editor leaves it
// before "Execute morphing": both views, the frame list, the gauge and the
// session that points to them. Every reading of the gauge during a run is kept.
class GenerationSession {
public:
    GenerationSession() {
        session.Frames = &frames;
        session.Gauge = &gauge;
        gauge.SetListener([this](int32_t value) { readings.push_back(value); });
    }
    GenerationSession(const Bitmap& source, const Bitmap& destination, bool warpOnly) : GenerationSession() {
        Open(source, destination, warpOnly);
    }
    // The session and the gauge's listener point into this object.
    GenerationSession(const GenerationSession&) = delete;
    GenerationSession& operator=(const GenerationSession&) = delete;

    // Fills both views and starts a fresh record; the source sets the common size.
    void Open(const Bitmap& source, const Bitmap& destination, bool warpOnly) {
        left.Image() = source;
        right.Image() = destination;
        session.WarpObj = NewWarpState(warpOnly);
        session.VectLeft = &left;
        session.VectRight = &right;
        session.ImageWidth = source.Width();
        session.ImageHeight = source.Height();
    }

    WarpObjStru& Warp() { return *session.WarpObj; }

    // One run with the session's settings as they stand, from an empty frame
    // list and the gauge at 0, so that readings hold this run's only.
    bool Generate() {
        frames.Clear();
        gauge.SetProgress(0);
        readings.clear();
        return GenerateMorphSequence(session);
    }

    bool Generate(int32_t frameCount, int32_t delay = 10, bool preview = false) {
        session.FrameCount = frameCount;
        session.FrameDelay = delay;
        session.PreviewMode = preview;
        return Generate();
    }

    ImageView left;
    ImageView right;
    FrameList frames;
    ProgressGauge gauge;
    MorphSession session;
    std::vector<int32_t> readings;
};

}  // namespace kavrell::test

#pragma once

#include <cstdint>
#include <vector>

#include "morph/editor_model.h"
#include "morph/sequence_driver.h"
#include "morph/session.h"
#include "morph/warp_state.h"
#include "platform/bitmap.h"
#include "platform/frame_list.h"
#include "platform/image_view.h"
#include "platform/progress_gauge.h"

namespace kavrell::test {

// An editor model for tests of the sequence driver, with names for what
// those tests reach: the two views, the frame list, the gauge and the
// session. Generate runs the driver directly with the settings given, so
// that a test may hand it any record. Every reading of the gauge is kept.
class GenerationSession {
public:
    GenerationSession() {
        gauge.SetListener([this](int32_t value) { readings.push_back(value); });
    }
    GenerationSession(const Bitmap& source, const Bitmap& destination, bool warpOnly) : GenerationSession() {
        Open(source, destination, warpOnly);
    }
    // The gauge's listener points into this object.
    GenerationSession(const GenerationSession&) = delete;
    GenerationSession& operator=(const GenerationSession&) = delete;

    // Shows the images as the editor does and starts a fresh record. In
    // warp-only mode the destination view still gets the destination image,
    // which the driver must then leave alone.
    void Open(const Bitmap& source, const Bitmap& destination, bool warpOnly) {
        model.Show(source, warpOnly ? nullptr : &destination);
        if (warpOnly) right.Image() = destination;
    }

    WarpObjStru& Warp() { return *model.Warp(); }

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

    EditorModel model;
    ImageView& left = model.View(ViewId::Left);
    ImageView& right = model.View(ViewId::Right);
    FrameList& frames = model.Sequence();
    ProgressGauge& gauge = model.Gauge();
    MorphSession& session = model.Session();
    std::vector<int32_t> readings;
};

}  // namespace kavrell::test

#pragma once

#include "cli/project_file.h"
#include "morph/session.h"
#include "platform/bitmap.h"
#include "platform/frame_list.h"
#include "platform/image_view.h"
#include "platform/progress_gauge.h"

namespace kavrell::cli {

// The editor without a window: two views, the session over them, the frame
// list and the gauge. The control points are set through the same editing
// operations the plug-in's mouse handlers call, so that the command line
// and the plug-in build the same record.
class HeadlessEditor {
public:
    // Shows source in the left view and destination in the right one, as the
    // editor does on show; without a destination the session is warp-only
    // and both views show the source. A destination of another size is
    // resampled to the source's size.
    HeadlessEditor(const Bitmap& source, const Bitmap* destination);
    HeadlessEditor(const HeadlessEditor&) = delete;
    HeadlessEditor& operator=(const HeadlessEditor&) = delete;

    // Creates the mesh of the project and moves its interior nodes in both
    // images to the project's positions.
    void PlaceMesh(const MeshProject& mesh);

    // Draws the project's polylines in add mode, with a line break between
    // them, then moves every destination point to its place.
    void DrawField(const FieldProject& field);

    MorphSession& Session() { return session_; }
    WarpObjStru& Warp() { return *session_.WarpObj; }
    FrameList& Frames() { return frames_; }
    ProgressGauge& Gauge() { return gauge_; }

private:
    ImageView left_;
    ImageView right_;
    FrameList frames_;
    ProgressGauge gauge_;
    MorphSession session_;
};

}  // namespace kavrell::cli

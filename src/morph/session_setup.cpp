#include "morph/session_setup.h"

#include "morph/view_markers.h"
#include "platform/image_processor.h"

namespace kavrell {

void BeginSession(MorphSession& session, ImageView& left, ImageView& right, bool warpOnly) {
    session.WarpObj = NewWarpState(warpOnly);
    // Objects of an earlier session on the same views belong to no record any
    // more; the layers keep their handle counters, so no handle comes back.
    left.Layer().RemoveAllObjects();
    right.Layer().RemoveAllObjects();
    session.WarpObj->leftCursorMarker = AddCursorMarker(left);
    session.WarpObj->rightCursorMarker = AddCursorMarker(right);
    session.VectLeft = &left;
    session.VectRight = &right;
    session.PreviewSize = 200.0;
    session.WarpScale = 1.0;

    // The destination follows the source's size. When either is empty the
    // session has no images to edit, and resampling would only turn an absent
    // image into a black one.
    const Bitmap& source = left.Image();
    const Bitmap& destination = right.Image();
    session.ImageWidth = source.Width();
    session.ImageHeight = source.Height();
    if (!source.Empty() && !destination.Empty() &&
        (destination.Width() != source.Width() || destination.Height() != source.Height())) {
        const Bitmap original = right.Image();
        ResampleTo(original, right.Image(), source.Width(), source.Height());
    }
}

}  // namespace kavrell

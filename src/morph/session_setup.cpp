#include "morph/session_setup.h"

#include "platform/image_processor.h"

namespace kavrell {
namespace {

// The hidden circle that shows, in one view, the partner of the node or point
// under the mouse in the other view.
ObjectHandle AddCursorMarker(ImageView& view) {
    VectorLayer& layer = view.Layer();
    const ObjectHandle marker = layer.AddNewObject();
    layer.SetObjKind(marker, ObjKind::Ellipse);
    layer.SetObjLeft(marker, 0);
    layer.SetObjTop(marker, 0);
    layer.SetObjWidth(marker, 20);
    layer.SetObjHeight(marker, 20);
    layer.SetObjPenColor(marker, kAqua);
    layer.SetObjStyle(marker, kStyleNone);
    return marker;
}

}  // namespace

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

#include "morph/method_markers.h"

#include <algorithm>

namespace kavrell {
namespace {

void SetVisible(ImageView& view, ObjectHandle handle) { view.Layer().SetObjStyle(handle, kStyleVisible); }

void ShowMesh(WarpObjStru& warp, ImageView& left, ImageView& right) {
    const int32_t c = warp.meshCols;
    const int32_t r = warp.meshRows;
    for (int32_t i = 1; i <= c; ++i) {
        for (int32_t j = 0; j <= r; ++j) {
            SetVisible(left, warp.leftColLines[i][j]);
            SetVisible(right, warp.rightColLines[i][j]);
        }
    }
    for (int32_t j = 1; j <= r; ++j) {
        for (int32_t i = 0; i <= c; ++i) {
            SetVisible(left, warp.leftRowLines[i][j]);
            SetVisible(right, warp.rightRowLines[i][j]);
        }
    }
    for (int32_t i = 1; i <= c; ++i) {
        for (int32_t j = 1; j <= r; ++j) {
            SetVisible(left, warp.leftNodeMarkers[i][j]);
            left.Layer().SetObjFrontOf(warp.leftNodeMarkers[i][j]);
            SetVisible(right, warp.rightNodeMarkers[i][j]);
            right.Layer().SetObjFrontOf(warp.rightNodeMarkers[i][j]);
        }
    }
}

void ShowFieldLines(WarpObjStru& warp, ImageView& left, ImageView& right) {
    const int32_t used = std::clamp(warp.pointCount, 0, MaxFieldPoints);
    for (int32_t k = 0; k < used; ++k) {
        if (!HoldsPoint(warp.srcPoints[k])) continue;
        if (HoldsPoint(warp.srcPoints[k + 1])) {
            SetVisible(left, warp.leftSegLines[k]);
            SetVisible(right, warp.rightSegLines[k]);
        }
        SetVisible(left, warp.leftPointMarkers[k]);
        SetVisible(right, warp.rightPointMarkers[k]);
    }
}

void HideAll(ImageView& view) {
    VectorLayer& layer = view.Layer();
    for (int32_t index = 0; index < layer.ObjectsCount(); ++index) {
        layer.SetObjStyle(layer.GetObjFromIndex(index), kStyleNone);
    }
}

}  // namespace

void ShowMethodMarkers(MorphSession& session, WarpMethod method) {
    if (!session.WarpObj || !session.VectLeft || !session.VectRight) return;
    WarpObjStru& warp = *session.WarpObj;
    ImageView& left = *session.VectLeft;
    ImageView& right = *session.VectRight;
    HideAll(left);
    HideAll(right);
    if (method == WarpMethod::Mesh) {
        if (HasMesh(warp)) ShowMesh(warp, left, right);
    } else {
        ShowFieldLines(warp, left, right);
    }
}

}  // namespace kavrell

#include "morph/view_markers.h"

#include <cstdlib>

namespace kavrell {
namespace {

constexpr int32_t kMarkerHalf = 5;   // point markers are 10 x 10
constexpr int32_t kCursorHalf = 10;  // cursor markers are 20 x 20
constexpr int32_t kReach = 10;       // hover distance on each axis, exclusive

}  // namespace

ObjectHandle AddCursorMarker(ImageView& view) {
    VectorLayer& layer = view.Layer();
    const ObjectHandle marker = layer.AddNewObject();
    layer.SetObjKind(marker, ObjKind::Ellipse);
    layer.SetObjLeft(marker, 0);
    layer.SetObjTop(marker, 0);
    layer.SetObjWidth(marker, 2 * kCursorHalf);
    layer.SetObjHeight(marker, 2 * kCursorHalf);
    layer.SetObjPenColor(marker, kAqua);
    layer.SetObjStyle(marker, kStyleNone);
    return marker;
}

ObjectHandle AddLineObject(ImageView& view, int32_t left, int32_t top, int32_t width, int32_t height) {
    VectorLayer& layer = view.Layer();
    const ObjectHandle line = layer.AddNewObject();
    layer.SetObjKind(line, ObjKind::Line);
    layer.SetObjLeft(line, left);
    layer.SetObjTop(line, top);
    layer.SetObjWidth(line, width);
    layer.SetObjHeight(line, height);
    layer.SetObjPenColor(line, kRed);
    layer.AddSelObject(line);
    layer.SetObjID(line, 0);
    layer.SetObjStyle(line, kStyleVisible);
    layer.SetObjBackTo(line);
    return line;
}

void PlaceLineObject(ImageView& view, ObjectHandle line, Point32 from, Point32 to) {
    VectorLayer& layer = view.Layer();
    layer.SetObjLeft(line, from.x);
    layer.SetObjTop(line, from.y);
    layer.SetObjWidth(line, SaturateToInt32(int64_t{to.x} - from.x));
    layer.SetObjHeight(line, SaturateToInt32(int64_t{to.y} - from.y));
    if (layer.GetObjWidth(line) == 0) layer.SetObjWidth(line, 1);
    if (layer.GetObjHeight(line) == 0) layer.SetObjHeight(line, 1);
}

void MoveMarker(ImageView& view, ObjectHandle marker, Point32 centre) {
    view.Layer().SetObjLeft(marker, SaturateToInt32(int64_t{centre.x} - kMarkerHalf));
    view.Layer().SetObjTop(marker, SaturateToInt32(int64_t{centre.y} - kMarkerHalf));
}

void PlaceCursorMarker(ImageView& view, ObjectHandle marker, Point32 partner) {
    view.Layer().SetObjLeft(marker, SaturateToInt32(int64_t{partner.x} - kCursorHalf));
    view.Layer().SetObjTop(marker, SaturateToInt32(int64_t{partner.y} - kCursorHalf));
}

bool MarkerWithinReach(const ImageView& view, ObjectHandle marker, int32_t x, int32_t y) {
    const VectorLayer& layer = view.Layer();
    const int64_t centreX = int64_t{layer.GetObjLeft(marker)} + kMarkerHalf;
    const int64_t centreY = int64_t{layer.GetObjTop(marker)} + kMarkerHalf;
    return std::abs(centreX - x) < kReach && std::abs(centreY - y) < kReach;
}

void AddPointMarker(ObjectHandle& slot, int32_t x, int32_t y, ImageView& view, Color pen, Color brush) {
    VectorLayer& layer = view.Layer();
    slot = layer.AddNewObject();
    layer.SetObjKind(slot, ObjKind::Box);
    layer.SetObjWidth(slot, 2 * kMarkerHalf);
    layer.SetObjHeight(slot, 2 * kMarkerHalf);
    layer.SetObjPenColor(slot, pen);
    layer.SetObjBrushStyle(slot, BrushStyle::Solid);
    layer.SetObjBrushColor(slot, brush);
    layer.SetObjStyle(slot, kStyleVisible);
    MoveMarker(view, slot, {x, y});
    layer.SetObjFrontOf(slot);
}

}  // namespace kavrell

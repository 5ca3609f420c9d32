#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "morph/warp_state.h"
#include "platform/image_view.h"
#include "platform/vector_layer.h"

namespace kavrell::test {

// Every object of a view in stacking order but the one skipped, to show that
// an operation left a view untouched.
inline std::vector<VectorObject> Snapshot(const ImageView& view, ObjectHandle skipped = kNoObject) {
    std::vector<VectorObject> objects;
    const VectorLayer& layer = view.Layer();
    for (int32_t index = 0; index < layer.ObjectsCount(); ++index) {
        const ObjectHandle handle = layer.GetObjFromIndex(index);
        if (handle != skipped) objects.push_back(*layer.FindObject(handle));
    }
    return objects;
}

inline int32_t CountKind(const ImageView& view, ObjKind kind) {
    int32_t count = 0;
    for (const VectorObject& object : Snapshot(view)) count += object.kind == kind ? 1 : 0;
    return count;
}

// A line drawn between two points or nodes: corner at the first, extent to
// the second, a zero extent drawn as 1.
inline void ExpectLineBetween(const ImageView& view, ObjectHandle line, Point32 from, Point32 to) {
    const VectorLayer& layer = view.Layer();
    ASSERT_TRUE(layer.HasObject(line));
    EXPECT_EQ(layer.GetObjLeft(line), from.x);
    EXPECT_EQ(layer.GetObjTop(line), from.y);
    EXPECT_EQ(layer.GetObjWidth(line), to.x == from.x ? 1 : to.x - from.x);
    EXPECT_EQ(layer.GetObjHeight(line), to.y == from.y ? 1 : to.y - from.y);
}

// A point or node marker: a 10 x 10 box centred on its position.
inline void ExpectMarkerAt(const ImageView& view, ObjectHandle marker, Point32 centre) {
    ASSERT_TRUE(view.Layer().HasObject(marker));
    EXPECT_EQ(view.Layer().GetObjLeft(marker), centre.x - 5);
    EXPECT_EQ(view.Layer().GetObjTop(marker), centre.y - 5);
}

}  // namespace kavrell::test

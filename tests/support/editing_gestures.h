#pragma once

#include <gtest/gtest.h>

#include "morph/field_editing.h"
#include "morph/mesh_editing.h"
#include "morph/session.h"
#include "morph/warp_state.h"
#include "platform/image_view.h"

namespace kavrell::test {

// What the editor does for a drag of a mesh node: hover over it, press, move,
// release. Wrap calls in ASSERT_NO_FATAL_FAILURE where a missed hover must end
// the test.
inline void DragMeshNode(MorphSession& session, ImageView& view, Point32 from, Point32 to) {
    ASSERT_TRUE(HitMeshNode(session, from.x, from.y, view));
    MeshPress(session, from.x, from.y, view);
    MeshDrag(session, to.x, to.y, view);
    MeshRelease(session, to.x, to.y, view);
}

// The same for a field point in move mode.
inline void DragFieldPoint(MorphSession& session, ImageView& view, Point32 from, Point32 to) {
    ASSERT_TRUE(HitFieldPoint(session, from.x, from.y, view));
    FieldPress(session, from.x, from.y, view);
    FieldDrag(session, to.x, to.y, view);
    FieldRelease(session, to.x, to.y, view);
}

// One add-mode stroke in a single move: press, drag to the end, release.
inline void FieldStroke(MorphSession& session, ImageView& view, Point32 from, Point32 to) {
    FieldPress(session, from.x, from.y, view);
    FieldDrag(session, to.x, to.y, view);
    FieldRelease(session, to.x, to.y, view);
}

}  // namespace kavrell::test

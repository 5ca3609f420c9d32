#pragma once

#include "morph/session.h"

namespace kavrell {

// The method switch: shows the markers of method in both views, the mesh or
// the field lines, and hides every other object, the cursor markers included.
// Both sets of control points keep existing.
void ShowMethodMarkers(MorphSession& session, WarpMethod method);

}  // namespace kavrell

#pragma once

#include "morph/session.h"

namespace kavrell {

// What the editor does when it is shown, without a window: a fresh warp state
// record, the two views with their images made the same size (the
// destination is resampled to the source's size by the fast linear filter
// when they differ), the common image size, PreviewSize 200 and WarpScale 1,
// and the hidden cursor marker of each view. warpOnly marks a session whose
// host gave no next frame.
void BeginSession(MorphSession& session, ImageView& left, ImageView& right, bool warpOnly);

}  // namespace kavrell

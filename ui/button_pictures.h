#pragma once

#include <QPixmap>

namespace kavrell::ui {

// The pictures of the windows' picture buttons, drawn here rather than loaded.
enum class ButtonPicture {
    Center,   // 16 x 16: four green arrowheads pointing outward, joined by a black ring
    Fit,      // 22 x 22: a small landscape in a black frame, four arrows pointing at its corners
    ZoomIn,   // 17 x 17: a magnifying glass with a plus in the lens
    ZoomOut,  // 17 x 17: a magnifying glass with a minus in the lens
    Begin,    // 20 x 20: two left-pointing triangles on silver
    Play,     // 20 x 20: one right-pointing triangle on silver
    End,      // 20 x 20: two right-pointing triangles on silver
};

QPixmap DrawButtonPicture(ButtonPicture picture);

}  // namespace kavrell::ui

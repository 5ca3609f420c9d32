#pragma once

#include <QFont>

namespace kavrell::ui {

// The font every window and control uses: Tahoma at 11 pixels (8 point).
// Where Tahoma is not installed the font matcher picks the closest sans-serif.
QFont WindowFont(bool bold = false);

}  // namespace kavrell::ui

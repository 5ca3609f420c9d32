#include "window_font.h"

namespace kavrell::ui {

QFont WindowFont(bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

}  // namespace kavrell::ui

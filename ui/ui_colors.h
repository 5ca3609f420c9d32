#pragma once

#include <QColor>

#include "platform/color.h"

namespace kavrell::ui {

inline QColor ToQColor(Color color) { return QColor(color.r, color.g, color.b); }

// The named colours the windows are designed with, defined once; those the
// vector objects also use come from the core's table.
inline const QColor kButtonFace{0xF0, 0xF0, 0xF0};  // the system's face of dialogs and buttons
inline const QColor kSilver{0xC0, 0xC0, 0xC0};
inline const QColor kGrey{0x80, 0x80, 0x80};
inline const QColor kOlive{0x80, 0x80, 0x00};
inline const QColor kBlack{0x00, 0x00, 0x00};
inline const QColor kYellow = ToQColor(kavrell::kYellow);
inline const QColor kWhite = ToQColor(kavrell::kWhite);
inline const QColor kRed = ToQColor(kavrell::kRed);
inline const QColor kGreen = ToQColor(kavrell::kGreen);
inline const QColor kAqua = ToQColor(kavrell::kAqua);

}  // namespace kavrell::ui

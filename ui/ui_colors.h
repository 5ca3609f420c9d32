#pragma once

#include <QColor>

namespace kavrell::ui {

// The named colours the windows are designed with, defined once.
inline const QColor kButtonFace{0xF0, 0xF0, 0xF0};  // the system's face of dialogs and buttons
inline const QColor kSilver{0xC0, 0xC0, 0xC0};
inline const QColor kGrey{0x80, 0x80, 0x80};
inline const QColor kOlive{0x80, 0x80, 0x00};
inline const QColor kYellow{0xFF, 0xFF, 0x00};
inline const QColor kBlack{0x00, 0x00, 0x00};
inline const QColor kWhite{0xFF, 0xFF, 0xFF};
inline const QColor kRed{0xFF, 0x00, 0x00};
inline const QColor kGreen{0x00, 0x80, 0x00};
inline const QColor kAqua{0x00, 0xFF, 0xFF};

}  // namespace kavrell::ui

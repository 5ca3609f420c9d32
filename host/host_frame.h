#pragma once

#include <QImage>
#include <QList>

namespace qvxhost {

// One frame of the host's animation: 24-bit pixels (QImage::Format_RGB888,
// top row first) and how long it is shown.
struct HostFrame {
    QImage image;
    int delayMs = 0;
};

using HostFrames = QList<HostFrame>;

// The display time of frames that have none of their own (still images).
inline constexpr int kDefaultDelayMs = 100;

}  // namespace qvxhost

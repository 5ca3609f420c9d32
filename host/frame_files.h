#pragma once

#include <QString>
#include <QStringList>

#include "host/host_frame.h"

namespace qvxhost {

// The frames of paths in order: every frame of an animated GIF or WebP with
// its display time, one frame per other image file, the PNG files of a
// folder in name order. Throws kavrell::MediaError naming the file.
HostFrames ReadFrames(const QStringList& paths);

// Writes the frames as an animated GIF or WebP, or as a folder of PNG frames,
// by how path ends (.gif, .webp, anything else). Throws kavrell::MediaError;
// nothing half-written is left at path.
void WriteFrames(const HostFrames& frames, const QString& path);

}  // namespace qvxhost

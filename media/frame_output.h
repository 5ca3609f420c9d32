#pragma once

#include <string>

#include "media/output_files.h"
#include "platform/frame_list.h"

namespace kavrell {

// Writes the frames to path as kind says: one animated GIF or WebP file, or
// a directory of frame_000.png, frame_001.png, ... in frame order. Nothing
// half-written is ever left at path (see output_files.h). Throws MediaError
// (WriteFailed) when it fails, also for GIF or WebP frames of different sizes.
void WriteFrames(const FrameList& frames, const std::string& path, OutputKind kind);

// The name of frame index in a PNG directory: frame_000.png, frame_001.png, ...
std::string PngFrameName(int32_t index);

}  // namespace kavrell

#pragma once

#include <string>

#include "media/output_files.h"
#include "platform/frame_list.h"

namespace kavrell {

// Writes the frames to path as kind says: one animated GIF or WebP file, or
// a directory of frame_000.png, frame_001.png, ... in frame order. Nothing
// half-written is ever left at path (see output_files.h). Throws MediaError
// (WriteFailed) when it fails, also for GIF or WebP frames of different sizes.
// With ExistingOutput::Keep an output that is already there stays as it is.
void WriteFrames(const FrameList& frames, const std::string& path, OutputKind kind,
                 ExistingOutput existing = ExistingOutput::Replace);

}  // namespace kavrell

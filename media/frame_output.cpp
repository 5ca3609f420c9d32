#include "media/frame_output.h"

#include <cstdio>
#include <stdexcept>

#include "media/gif_writer.h"
#include "media/image_io.h"
#include "media/media_error.h"
#include "media/webp_writer.h"

namespace kavrell {

std::string PngFrameName(int32_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%03d.png", index);
    return name;
}

void WriteFrames(const FrameList& frames, const std::string& path, OutputKind kind) {
    try {
        switch (kind) {
        case OutputKind::Gif:
            WriteFileAtomically(path, EncodeGif(frames));
            return;
        case OutputKind::WebP:
            WriteFileAtomically(path, EncodeWebP(frames));
            return;
        case OutputKind::PngDirectory: {
            std::vector<NamedFile> files;
            files.reserve(static_cast<size_t>(frames.Count()));
            for (int32_t index = 0; index < frames.Count(); ++index) {
                files.push_back({PngFrameName(index), EncodePng(frames.Frame(index))});
            }
            WriteDirectoryAtomically(path, files);
            return;
        }
        }
    } catch (const MediaError&) {
        throw;
    } catch (const std::exception& error) {
        throw MediaError(MediaError::Cause::WriteFailed, path, "output", error.what());
    }
}

}  // namespace kavrell

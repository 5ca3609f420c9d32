#include "media/frame_output.h"

#include <stdexcept>

#include "media/gif_writer.h"
#include "media/image_io.h"
#include "media/media_error.h"
#include "media/webp_writer.h"

namespace kavrell {

void WriteFrames(const FrameList& frames, const std::string& path, OutputKind kind, ExistingOutput existing) {
    try {
        switch (kind) {
        case OutputKind::Gif:
            WriteFileAtomically(path, EncodeGif(frames), existing);
            return;
        case OutputKind::WebP:
            WriteFileAtomically(path, EncodeWebP(frames), existing);
            return;
        case OutputKind::PngDirectory:
            // Each frame is encoded as it is written.
            WriteDirectoryAtomically(
                path, frames.Count(),
                [&frames](int32_t index) {
                    return NamedFile{PngFrameName(index), EncodePng(frames.Frame(index))};
                },
                existing);
            return;
        }
    } catch (const MediaError&) {
        throw;
    } catch (const std::exception& error) {
        throw MediaError(MediaError::Cause::WriteFailed, path, "output", error.what());
    }
}

}  // namespace kavrell

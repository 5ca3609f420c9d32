#include "media/webp_writer.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include "media/frame_sizes.h"

namespace kavrell {
namespace {

struct EncoderDeleter {
    void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
};

struct PictureGuard {
    WebPPicture picture;
    PictureGuard() {
        if (!WebPPictureInit(&picture)) throw std::runtime_error("libwebp version mismatch");
    }
    ~PictureGuard() { WebPPictureFree(&picture); }
    PictureGuard(const PictureGuard&) = delete;
    PictureGuard& operator=(const PictureGuard&) = delete;
};

struct DataGuard {
    WebPData data;
    DataGuard() { WebPDataInit(&data); }
    ~DataGuard() { WebPDataClear(&data); }
    DataGuard(const DataGuard&) = delete;
    DataGuard& operator=(const DataGuard&) = delete;
};

std::string EncoderError(WebPAnimEncoder* encoder, const char* step) {
    const char* detail = WebPAnimEncoderGetError(encoder);
    return std::string(step) + (detail && *detail ? std::string(": ") + detail : std::string());
}

// One frame, top row first, rows packed without padding.
void ImportFrame(const Bitmap& frame, WebPPicture& picture, std::vector<uint8_t>& packed) {
    const auto rowBytes = 3 * static_cast<size_t>(frame.Width());
    packed.resize(rowBytes * static_cast<size_t>(frame.Height()));
    for (int32_t y = 0; y < frame.Height(); ++y) {
        std::memcpy(packed.data() + static_cast<size_t>(y) * rowBytes, frame.ScanLine(y), rowBytes);
    }
    picture.use_argb = 1;
    picture.width = frame.Width();
    picture.height = frame.Height();
    if (!WebPPictureImportRGB(&picture, packed.data(), static_cast<int>(rowBytes))) {
        throw std::runtime_error("out of memory for a WebP frame");
    }
}

}  // namespace

std::vector<uint8_t> EncodeWebP(const FrameList& frames) {
    RequireOneFrameSize(frames);
    const Bitmap& first = frames.Frame(0);
    if (first.Width() > WEBP_MAX_DIMENSION || first.Height() > WEBP_MAX_DIMENSION) {
        throw std::runtime_error("frames exceed the WebP limit of 16383 pixels a side");
    }
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) throw std::runtime_error("libwebp version mismatch");
    options.anim_params.loop_count = 0;
    const std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder(
        WebPAnimEncoderNew(first.Width(), first.Height(), &options));
    if (!encoder) throw std::runtime_error("cannot start the WebP encoder");

    WebPConfig config;
    if (!WebPConfigInit(&config)) throw std::runtime_error("libwebp version mismatch");
    config.lossless = 1;

    std::vector<uint8_t> packed;
    int timestampMs = 0;
    for (int32_t index = 0; index < frames.Count(); ++index) {
        PictureGuard frame;
        ImportFrame(frames.Frame(index), frame.picture, packed);
        if (!WebPAnimEncoderAdd(encoder.get(), &frame.picture, timestampMs, &config)) {
            throw std::runtime_error(EncoderError(encoder.get(), "cannot encode a WebP frame"));
        }
        timestampMs += frames.DelayMs(index);
    }
    // The closing call gives the last frame its duration.
    if (!WebPAnimEncoderAdd(encoder.get(), nullptr, timestampMs, nullptr)) {
        throw std::runtime_error(EncoderError(encoder.get(), "cannot finish the WebP"));
    }
    DataGuard assembled;
    if (!WebPAnimEncoderAssemble(encoder.get(), &assembled.data)) {
        throw std::runtime_error(EncoderError(encoder.get(), "cannot assemble the WebP"));
    }
    return {assembled.data.bytes, assembled.data.bytes + assembled.data.size};
}

}  // namespace kavrell

#include "media/gif_writer.h"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "media/frame_sizes.h"

namespace kavrell {
namespace {

constexpr int kPaletteSize = 256;
constexpr int kLargestSide = 65535;

int AppendBytes(GifFileType* gif, const GifByteType* bytes, int count) {
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + count);
    return count;
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

void Check(int result, GifFileType* gif, const char* step) {
    if (result == GIF_ERROR) throw std::runtime_error(std::string(step) + ": " + GifErrorString(gif->Error));
}

// Loop forever: the NETSCAPE2.0 application extension with a loop count of 0.
void PutLoopExtension(GifFileType* gif) {
    static const GifByteType kName[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType kLoopForever[] = {1, 0, 0};
    Check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), gif, "loop extension");
    Check(EGifPutExtensionBlock(gif, sizeof kName, kName), gif, "loop extension");
    Check(EGifPutExtensionBlock(gif, sizeof kLoopForever, kLoopForever), gif, "loop extension");
    Check(EGifPutExtensionTrailer(gif), gif, "loop extension");
}

void PutDelay(GifFileType* gif, int32_t delayMs) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delayMs / 10;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension), gif,
          "frame delay");
}

// Quantises one frame to its own palette and writes it.
void PutFrame(GifFileType* gif, const Bitmap& frame) {
    const auto width = static_cast<size_t>(frame.Width());
    const auto height = static_cast<size_t>(frame.Height());
    std::vector<GifByteType> red(width * height), green(width * height), blue(width * height);
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* line = frame.ScanLine(static_cast<int32_t>(y));
        for (size_t x = 0; x < width; ++x) {
            red[y * width + x] = line[3 * x];
            green[y * width + x] = line[3 * x + 1];
            blue[y * width + x] = line[3 * x + 2];
        }
    }
    std::vector<GifByteType> indexes(width * height);
    GifColorType palette[kPaletteSize] = {};
    int paletteSize = kPaletteSize;
    if (GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &paletteSize,
                          red.data(), green.data(), blue.data(), indexes.data(), palette) == GIF_ERROR) {
        throw std::runtime_error("cannot find a palette for a frame");
    }
    const std::unique_ptr<ColorMapObject, MapFreer> map(GifMakeMapObject(kPaletteSize, palette));
    if (!map) throw std::runtime_error("out of memory for a palette");
    Check(EGifPutImageDesc(gif, 0, 0, frame.Width(), frame.Height(), false, map.get()), gif, "frame");
    for (size_t y = 0; y < height; ++y) {
        Check(EGifPutLine(gif, indexes.data() + y * width, frame.Width()), gif, "frame");
    }
}

}  // namespace

std::vector<uint8_t> EncodeGif(const FrameList& frames) {
    RequireOneFrameSize(frames);
    const Bitmap& first = frames.Frame(0);
    if (first.Width() > kLargestSide || first.Height() > kLargestSide) {
        throw std::runtime_error("frames of " + std::to_string(first.Width()) + " x " +
                                 std::to_string(first.Height()) +
                                 " exceed the GIF limit of 65535 pixels a side");
    }
    std::vector<uint8_t> bytes;
    int error = 0;
    GifHandle gif(EGifOpen(&bytes, AppendBytes, &error));
    if (!gif) throw std::runtime_error(std::string("cannot start the GIF: ") + GifErrorString(error));
    EGifSetGifVersion(gif.get(), true);
    Check(EGifPutScreenDesc(gif.get(), first.Width(), first.Height(), 8, 0, nullptr), gif.get(), "screen");
    PutLoopExtension(gif.get());
    for (int32_t index = 0; index < frames.Count(); ++index) {
        PutDelay(gif.get(), frames.DelayMs(index));
        PutFrame(gif.get(), frames.Frame(index));
    }
    GifFileType* open = gif.release();
    if (EGifCloseFile(open, &error) == GIF_ERROR) {
        throw std::runtime_error(std::string("cannot finish the GIF: ") + GifErrorString(error));
    }
    return bytes;
}

}  // namespace kavrell

#include "media/image_integrity.h"

#include <gif_lib.h>
#include <webp/demux.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <vector>

namespace kavrell {
namespace {

constexpr const char* kCutShort = "the file ends before its image data does";

uint32_t Little32(std::span<const uint8_t> data, size_t at) {
    return data[at] | data[at + 1] << 8 | data[at + 2] << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}

uint16_t Little16(std::span<const uint8_t> data, size_t at) {
    return static_cast<uint16_t>(data[at] | data[at + 1] << 8);
}

uint32_t Big32(std::span<const uint8_t> data, size_t at) {
    return static_cast<uint32_t>(data[at]) << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3];
}

// Walks a run-length coded bitmap (4 or 8 bits a pixel) up to its end
// mark; false when the data ends first.
bool RunLengthDataIsComplete(std::span<const uint8_t> data, size_t at, int bitsPerPixel) {
    while (at + 1 < data.size()) {
        const uint8_t count = data[at];
        const uint8_t code = data[at + 1];
        at += 2;
        if (count != 0 || code == 0) continue;  // a run, or the end of a line
        if (code == 1) return true;             // the end of the bitmap
        if (code == 2) {                        // a jump: two more bytes
            at += 2;
            continue;
        }
        // code pixels written out, padded to a whole 16-bit word
        const size_t bytes = bitsPerPixel == 8 ? code : (code + 1u) / 2;
        at += (bytes + 1) & ~size_t{1};
    }
    return false;
}

std::string BmpDamage(std::span<const uint8_t> data) {
    if (data.size() < 26) return kCutShort;
    const uint32_t pixelsAt = Little32(data, 10);
    const uint32_t headerSize = Little32(data, 14);
    int64_t width = 0;
    int64_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t compression = 0;
    if (headerSize == 12) {
        width = Little16(data, 18);
        height = Little16(data, 20);
        bitsPerPixel = Little16(data, 24);
    } else {
        if (data.size() < 34) return kCutShort;
        width = static_cast<int32_t>(Little32(data, 18));
        height = static_cast<int32_t>(Little32(data, 22));
        bitsPerPixel = Little16(data, 28);
        compression = Little32(data, 30);
    }
    if (height < 0) height = -height;
    const std::string described =
        "; its header gives " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (pixelsAt > data.size()) return kCutShort + described;
    if (compression == 1 || compression == 2) {
        return RunLengthDataIsComplete(data, pixelsAt, compression == 1 ? 8 : 4) ? "" : kCutShort + described;
    }
    if (width <= 0 || bitsPerPixel == 0) return "";  // the decoder refuses it
    const uint64_t rowBytes = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    const uint64_t needed = pixelsAt + rowBytes * static_cast<uint64_t>(height);
    return needed > data.size() ? kCutShort + described : "";
}

// Chunk after chunk up to IEND.
std::string PngDamage(std::span<const uint8_t> data) {
    size_t at = 8;
    while (at + 12 <= data.size()) {
        const uint64_t length = Big32(data, at);
        if (std::memcmp(data.data() + at + 4, "IEND", 4) == 0) return "";
        at += 12 + length;
    }
    return "the file ends before its closing IEND chunk";
}

struct GifReader {
    std::span<const uint8_t> data;
    size_t at = 0;
};

int ReadGifBytes(GifFileType* gif, GifByteType* into, int count) {
    auto* reader = static_cast<GifReader*>(gif->UserData);
    const size_t given = std::min(static_cast<size_t>(count), reader->data.size() - reader->at);
    std::memcpy(into, reader->data.data() + reader->at, given);
    reader->at += given;
    return static_cast<int>(given);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Every block of every frame, read one line at a time.
std::string GifDamage(std::span<const uint8_t> data) {
    GifReader reader{data};
    int error = 0;
    const std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadGifBytes, &error));
    auto failed = [](int code) {
        std::string reason = GifErrorString(code);
        if (!reason.empty())
            reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
        return "the data is damaged or cut short (" + reason + ")";
    };
    if (!gif) return failed(error);
    std::vector<GifByteType> line;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) return failed(gif->Error);
        if (record == TERMINATE_RECORD_TYPE) return "";
        if (record == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return failed(gif->Error);
            const int width = gif->Image.Width;
            const int height = gif->Image.Height;
            line.resize(static_cast<size_t>(width));
            for (int y = 0; y < height; ++y) {
                if (DGifGetLine(gif.get(), line.data(), width) == GIF_ERROR) return failed(gif->Error);
            }
        } else if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) return failed(gif->Error);
            while (block) {
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) return failed(gif->Error);
            }
        }
    }
}

std::string WebPDamage(std::span<const uint8_t> data) {
    const WebPData whole{data.data(), data.size()};
    WebPDemuxState state = WEBP_DEMUX_PARSE_ERROR;
    WebPDemuxer* demuxer = WebPDemuxPartial(&whole, &state);
    WebPDemuxDelete(demuxer);
    if (state == WEBP_DEMUX_DONE) return "";
    return state == WEBP_DEMUX_PARSE_ERROR ? "the WebP structure is damaged" : kCutShort;
}

}  // namespace

std::string FindDamage(const std::string& format, std::span<const uint8_t> data) {
    if (format == "bmp") return BmpDamage(data);
    if (format == "png") return PngDamage(data);
    if (format == "gif") return GifDamage(data);
    if (format == "webp") return WebPDamage(data);
    return "";
}

}  // namespace kavrell

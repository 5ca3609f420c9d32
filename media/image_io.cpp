#include "media/image_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "media/image_integrity.h"
#include "media/image_limits.h"
#include "media/input_files.h"
#include "media/media_error.h"

namespace kavrell {
namespace {

// Lays a pixel with alpha over white.
uint8_t OverWhite(int channel, int alpha) {
    return static_cast<uint8_t>((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

// Some codecs (libpng's default error handler) print straight to stderr;
// while an image is decoded, stderr goes to /dev/null, so that a damaged
// file is reported by our one line alone.
class StderrSilenced {
public:
    StderrSilenced() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int sink = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && sink >= 0) dup2(sink, STDERR_FILENO);
        if (sink >= 0) close(sink);
    }
    ~StderrSilenced() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }
    StderrSilenced(const StderrSilenced&) = delete;
    StderrSilenced& operator=(const StderrSilenced&) = delete;

private:
    int saved_ = -1;
};

// Messages that a codec sends through Qt's logging (libjpeg's "Premature
// end of JPEG file", libpng's warnings) while this thread decodes: each one
// means the file is damaged.
class DecoderMessages {
public:
    DecoderMessages() : thread_(std::this_thread::get_id()) {
        active_ = this;
        previous_ = qInstallMessageHandler(Collect);
    }
    ~DecoderMessages() {
        qInstallMessageHandler(previous_);
        active_ = nullptr;
    }
    DecoderMessages(const DecoderMessages&) = delete;
    DecoderMessages& operator=(const DecoderMessages&) = delete;

    // The first message, or empty.
    std::string First() const { return messages_.empty() ? std::string() : messages_.front(); }

private:
    static void Collect(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        DecoderMessages* self = active_;
        if (!self) return;
        if (std::this_thread::get_id() != self->thread_) {
            if (self->previous_) self->previous_(type, context, text);
            return;
        }
        if (type != QtDebugMsg) self->messages_.push_back(text.toStdString());
    }

    static inline std::atomic<DecoderMessages*> active_ = nullptr;
    std::thread::id thread_;
    QtMessageHandler previous_ = nullptr;
    std::vector<std::string> messages_;
};

std::string MegapixelText(int64_t pixels) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(pixels) / 1e6);
    return text;
}

// An image file read into memory and checked before it is decoded: its
// size against the limit and its data against what its header promises.
// Every refusal is a MediaError (BadInput) naming the file and its role.
class CheckedImageFile {
public:
    CheckedImageFile(const std::string& path, const std::string& role)
        : path_(path),
          role_(role),
          bytes_(ReadInputFile(path, role, "an image", kLargestImageFileBytes)),
          data_(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes_.data()),
                                        static_cast<qsizetype>(bytes_.size()))),
          buffer_(&data_) {
        // Qt's own limit counts the bytes of the decoded image, up to eight
        // a pixel; ours counts pixels.
        QImageReader::setAllocationLimit(static_cast<int>(kLargestImagePixels * 8 / (1 << 20) + 1));
        buffer_.open(QIODevice::ReadOnly);
        reader_.setDevice(&buffer_);
        // Orientation tags would silently change the size the project refers to.
        reader_.setAutoTransform(false);
        QByteArray format;
        QSize size;
        {
            const StderrSilenced quiet;
            format = reader_.format().toLower();
            size = reader_.size();
        }
        if (format.isEmpty()) return;  // reading reports it
        const int64_t pixels = static_cast<int64_t>(size.width()) * size.height();
        if (size.isValid() && pixels > kLargestImagePixels) {
            Fail("is " + std::to_string(size.width()) + " x " + std::to_string(size.height()) + " pixels (" +
                 MegapixelText(pixels) + " megapixels); too large: images of at most " + LargestImageText() +
                 " are read");
        }
        const std::string damage = FindDamage(format.toStdString(), bytes_);
        if (!damage.empty()) Fail("cannot read the image: " + damage);
    }
    CheckedImageFile(const CheckedImageFile&) = delete;
    CheckedImageFile& operator=(const CheckedImageFile&) = delete;

    QImageReader& reader() { return reader_; }

    // Decodes the next image; what names it in a refusal ("the image",
    // "frame 3").
    QImage Read(const std::string& what) {
        QImage image;
        std::string complaint;
        {
            const StderrSilenced quiet;
            const DecoderMessages messages;
            image = reader_.read();
            complaint = messages.First();
        }
        if (image.isNull())
            Fail("cannot read " + what + ": " + reader_.errorString().toLower().toStdString());
        if (!complaint.empty()) {
            complaint[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(complaint[0])));
            Fail("cannot read " + what + ": the data is damaged (" + Excerpt(complaint, 80) + ")");
        }
        return image;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw MediaError(MediaError::Cause::BadInput, path_, role_, what);
    }

    std::string path_;
    std::string role_;
    std::vector<uint8_t> bytes_;
    QByteArray data_;
    QBuffer buffer_;
    QImageReader reader_;
};

bool IsPngName(const std::string& name) {
    const std::string ending = ".png";
    return name.size() > ending.size() &&
           std::equal(ending.begin(), ending.end(), name.end() - static_cast<ptrdiff_t>(ending.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(b)) == a; });
}

FrameList ReadPngDirectory(const std::string& path, const std::string& role, int32_t delayMs) {
    namespace fs = std::filesystem;
    // Names are kept as bytes: no round trip through an encoding.
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
        const std::string name = entry.path().filename();
        if (IsPngName(name) && entry.is_regular_file(error)) names.push_back(name);
    }
    if (error) throw MediaError(MediaError::Cause::BadInput, path, role, "cannot list the directory");
    if (names.empty()) throw MediaError(MediaError::Cause::BadInput, path, role, "holds no PNG frames");
    std::sort(names.begin(), names.end());
    FrameList frames;
    for (const std::string& name : names) {
        const int32_t index = frames.AppendImage(ReadImage((fs::path(path) / name).string(), role));
        frames.SetImageDelayTime(index, delayMs);
    }
    return frames;
}

}  // namespace

std::string LargestImageText() {
    return std::to_string(kLargestImagePixels / 1'000'000) + " megapixels (" +
           std::to_string(kLargestImagePixels) + " pixels)";
}

Bitmap ReadImage(const std::string& path, const std::string& role) {
    CheckedImageFile file(path, role);
    return FromQImage(file.Read("the image"));
}

FrameList ReadAnimation(const std::string& path, const std::string& role, int32_t defaultDelayMs) {
    struct stat status {};
    if (stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return ReadPngDirectory(path, role, defaultDelayMs);
    }
    CheckedImageFile file(path, role);
    QImageReader& reader = file.reader();
    FrameList frames;
    if (!reader.supportsAnimation()) {
        frames.SetImageDelayTime(frames.AppendImage(FromQImage(file.Read("the image"))), defaultDelayMs);
        return frames;
    }
    do {
        const QImage image = file.Read("frame " + std::to_string(frames.Count() + 1));
        // The reader gives the display time of the frame it has just read.
        const int32_t delayMs = reader.nextImageDelay();
        frames.SetImageDelayTime(frames.AppendImage(FromQImage(image)),
                                 delayMs >= 0 ? delayMs : defaultDelayMs);
    } while (reader.canRead());
    return frames;
}

Bitmap FromQImage(const QImage& image) {
    Bitmap bitmap(image.width(), image.height());
    if (image.hasAlphaChannel()) {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < argb.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x) {
                const int alpha = qAlpha(line[x]);
                uint8_t* pixel = bitmap.Pixel(x, y);
                pixel[0] = OverWhite(qRed(line[x]), alpha);
                pixel[1] = OverWhite(qGreen(line[x]), alpha);
                pixel[2] = OverWhite(qBlue(line[x]), alpha);
            }
        }
        return bitmap;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(bitmap.ScanLine(y), rgb.constScanLine(y), 3 * static_cast<size_t>(rgb.width()));
    }
    return bitmap;
}

QImage ToQImage(const Bitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB888);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::memcpy(image.scanLine(y), bitmap.ScanLine(y), 3 * static_cast<size_t>(bitmap.Width()));
    }
    return image;
}

std::vector<uint8_t> EncodePng(const Bitmap& bitmap) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(ToQImage(bitmap))) {
        throw std::runtime_error("cannot encode PNG: " + writer.errorString().toStdString());
    }
    return {bytes.begin(), bytes.end()};
}

}  // namespace kavrell

#include "media/image_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <cstdio>
#include <cstring>
#include <stdexcept>

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

FrameList ReadPngDirectory(const std::string& path, const std::string& role, int32_t delayMs) {
    const QDir directory(QString::fromStdString(path));
    const QStringList names = directory.entryList({"*.png"}, QDir::Files, QDir::Name);
    if (names.isEmpty()) throw MediaError(MediaError::Cause::BadInput, path, role, "holds no PNG frames");
    FrameList frames;
    for (const QString& name : names) {
        const int32_t index = frames.AppendImage(ReadImage(directory.filePath(name).toStdString(), role));
        frames.SetImageDelayTime(index, delayMs);
    }
    return frames;
}

}  // namespace

Bitmap ReadImage(const std::string& path, const std::string& role) {
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (!info.exists()) throw MediaError(MediaError::Cause::BadInput, path, role, "no such file");
    if (info.isDir())
        throw MediaError(MediaError::Cause::BadInput, path, role, "is a directory, not an image");
    QImageReader reader(name);
    // Orientation tags would silently change the size the project refers to.
    reader.setAutoTransform(false);
    QImage image;
    {
        const StderrSilenced quiet;
        image = reader.read();
    }
    if (image.isNull()) {
        throw MediaError(MediaError::Cause::BadInput, path, role,
                         "cannot read the image: " + reader.errorString().toLower().toStdString());
    }
    return FromQImage(image);
}

FrameList ReadAnimation(const std::string& path, const std::string& role, int32_t defaultDelayMs) {
    if (QFileInfo(QString::fromStdString(path)).isDir()) return ReadPngDirectory(path, role, defaultDelayMs);
    QImageReader reader(QString::fromStdString(path));
    if (!reader.supportsAnimation()) {
        FrameList frames;
        frames.SetImageDelayTime(frames.AppendImage(ReadImage(path, role)), defaultDelayMs);
        return frames;
    }
    reader.setAutoTransform(false);
    FrameList frames;
    do {
        QImage image;
        {
            const StderrSilenced quiet;
            image = reader.read();
        }
        if (image.isNull()) {
            throw MediaError(MediaError::Cause::BadInput, path, role,
                             "cannot read frame " + std::to_string(frames.Count() + 1) + ": " +
                                 reader.errorString().toLower().toStdString());
        }
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

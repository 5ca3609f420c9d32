#include "cli/image_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "cli/cli_error.h"

namespace kavrell::cli {
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

}  // namespace

Bitmap ReadImage(const std::string& path, const std::string& role) {
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (!info.exists()) throw CliError(kExitBadInput, path, role, "no such file");
    if (info.isDir()) throw CliError(kExitBadInput, path, role, "is a directory, not an image");
    QImageReader reader(name);
    // Orientation tags would silently change the size the project refers to.
    reader.setAutoTransform(false);
    QImage image;
    {
        const StderrSilenced quiet;
        image = reader.read();
    }
    if (image.isNull()) {
        throw CliError(kExitBadInput, path, role,
                       "cannot read the image: " + reader.errorString().toLower().toStdString());
    }
    return FromQImage(image);
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

}  // namespace kavrell::cli

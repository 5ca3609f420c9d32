#include "animation_reader.h"

#include <gif_lib.h>
#include <webp/demux.h>

#include <QDir>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kavrell::cli::test {

Animation ReadGif(const std::string& path) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) throw std::runtime_error("cannot open GIF " + path + ": " + GifErrorString(error));
    if (DGifSlurp(gif) != GIF_OK) {
        const std::string message = GifErrorString(gif->Error);
        DGifCloseFile(gif, &error);
        throw std::runtime_error("cannot decode GIF " + path + ": " + message);
    }
    Animation animation;
    animation.width = gif->SWidth;
    animation.height = gif->SHeight;
    QImage canvas(gif->SWidth, gif->SHeight, QImage::Format_RGB888);
    canvas.fill(Qt::black);
    for (int index = 0; index < gif->ImageCount; ++index) {
        const SavedImage& image = gif->SavedImages[index];
        const GifImageDesc& desc = image.ImageDesc;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map) throw std::runtime_error("GIF frame without a palette");
        for (int y = 0; y < desc.Height; ++y) {
            for (int x = 0; x < desc.Width; ++x) {
                const GifColorType colour = map->Colors[image.RasterBits[y * desc.Width + x]];
                canvas.setPixel(desc.Left + x, desc.Top + y, qRgb(colour.Red, colour.Green, colour.Blue));
            }
        }
        animation.frames.push_back(canvas.copy());
        GraphicsControlBlock control{};
        animation.delaysMs.push_back(
            DGifSavedExtensionToGCB(gif, index, &control) == GIF_OK ? control.DelayTime * 10 : -1);
    }
    DGifCloseFile(gif, &error);
    return animation;
}

Animation ReadWebP(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WebPData data{bytes.data(), bytes.size()};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_RGBA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder) throw std::runtime_error("cannot decode WebP " + path);
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    Animation animation;
    animation.width = static_cast<int>(info.canvas_width);
    animation.height = static_cast<int>(info.canvas_height);
    int previousEnd = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder)) {
        uint8_t* pixels = nullptr;
        int end = 0;
        if (!WebPAnimDecoderGetNext(decoder, &pixels, &end)) {
            WebPAnimDecoderDelete(decoder);
            throw std::runtime_error("cannot decode a WebP frame of " + path);
        }
        const QImage rgba(pixels, animation.width, animation.height, 4 * animation.width,
                          QImage::Format_RGBA8888);
        animation.frames.push_back(rgba.convertToFormat(QImage::Format_RGB888));
        animation.delaysMs.push_back(end - previousEnd);
        previousEnd = end;
    }
    WebPAnimDecoderDelete(decoder);
    return animation;
}

Animation ReadPngDirectory(const std::string& path) {
    const QDir directory(QString::fromStdString(path));
    const QStringList names =
        directory.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    Animation animation;
    for (int index = 0; index < names.size(); ++index) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "frame_%03d.png", index);
        if (names[index] != expected) {
            throw std::runtime_error("unexpected entry " + names[index].toStdString() + " in " + path);
        }
        const QImage frame(directory.filePath(names[index]), "png");
        if (frame.isNull()) throw std::runtime_error("cannot read " + names[index].toStdString());
        animation.frames.push_back(frame.convertToFormat(QImage::Format_RGB888));
    }
    if (!animation.frames.empty()) {
        animation.width = animation.frames.front().width();
        animation.height = animation.frames.front().height();
    }
    return animation;
}

Animation ReadAnimation(const std::string& path) {
    const QString name = QString::fromStdString(path);
    if (name.endsWith(".gif", Qt::CaseInsensitive)) return ReadGif(path);
    if (name.endsWith(".webp", Qt::CaseInsensitive)) return ReadWebP(path);
    return ReadPngDirectory(path);
}

}  // namespace kavrell::cli::test

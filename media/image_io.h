#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/frame_list.h"

namespace kavrell {

// Reads an image file (PNG, JPEG, BMP, the first frame of a GIF, whatever
// Qt's image reader knows) into the 24-bit working format, bytes R, G, B.
// Transparent pixels are laid over white. Throws MediaError (BadInput) naming
// the file and its role ("SOURCE", "DESTINATION") when it cannot.
Bitmap ReadImage(const std::string& path, const std::string& role);

// Reads what a host opens as an animation: every frame of an animated GIF
// or WebP with its display time, the one frame of any other image file, or
// the PNG files of a directory in name order. Frames without a display time
// of their own get defaultDelayMs. Throws MediaError (BadInput) as
// ReadImage does.
FrameList ReadAnimation(const std::string& path, const std::string& role, int32_t defaultDelayMs);

// Conversions between the working format and Qt's 24-bit image.
Bitmap FromQImage(const QImage& image);
QImage ToQImage(const Bitmap& bitmap);

// The bitmap as the bytes of a PNG file.
std::vector<uint8_t> EncodePng(const Bitmap& bitmap);

}  // namespace kavrell

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
// Transparent pixels are laid over white. The name is used byte for byte.
// Decoding is strict: a warning from the decoder, data that ends early or
// that cannot fill the size its header gives, and an image of more than
// kLargestImagePixels are refused. Throws MediaError (BadInput) naming the
// file and its role ("SOURCE", "DESTINATION") when it cannot.
Bitmap ReadImage(const std::string& path, const std::string& role);

// Reads what a host opens as an animation: every frame of an animated GIF
// or WebP with its display time, the one frame of any other image file, or
// the PNG files of a directory in name order. Frames without a display time
// of their own get defaultDelayMs. Throws MediaError (BadInput) as
// ReadImage does.
FrameList ReadAnimation(const std::string& path, const std::string& role, int32_t defaultDelayMs);

// The limit on an image's size as users read it: "120 megapixels
// (120000000 pixels)".
std::string LargestImageText();

// Conversions between the working format and Qt's 24-bit image.
Bitmap FromQImage(const QImage& image);
QImage ToQImage(const Bitmap& bitmap);

// The bitmap as the bytes of a PNG file.
std::vector<uint8_t> EncodePng(const Bitmap& bitmap);

}  // namespace kavrell

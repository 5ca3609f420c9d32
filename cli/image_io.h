#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace kavrell::cli {

// Reads an image file (PNG, JPEG, BMP, the first frame of a GIF, whatever
// Qt's image reader knows) into the 24-bit working format, bytes R, G, B.
// Transparent pixels are laid over white. Throws CliError (status 2) naming
// the file and its role ("SOURCE", "DESTINATION") when it cannot.
Bitmap ReadImage(const std::string& path, const std::string& role);

// Conversions between the working format and Qt's 24-bit image.
Bitmap FromQImage(const QImage& image);
QImage ToQImage(const Bitmap& bitmap);

// The bitmap as the bytes of a PNG file.
std::vector<uint8_t> EncodePng(const Bitmap& bitmap);

}  // namespace kavrell::cli

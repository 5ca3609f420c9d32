#include "bitmap_image.h"

#include <cstring>

namespace kavrell::ui {

QImage ToQImage(const Bitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB888);
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        std::memcpy(image.scanLine(y), bitmap.ScanLine(y), 3 * static_cast<size_t>(bitmap.Width()));
    }
    return image;
}

}  // namespace kavrell::ui

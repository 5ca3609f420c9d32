#pragma once

#include <QImage>

#include "platform/bitmap.h"

namespace kavrell::ui {

// A Qt image holding a copy of the bitmap's pixels, top row first.
QImage ToQImage(const Bitmap& bitmap);

}  // namespace kavrell::ui

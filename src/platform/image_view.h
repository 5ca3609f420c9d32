#pragma once

#include "platform/bitmap.h"
#include "platform/vector_layer.h"

namespace kavrell {

// One image view without a window: the bitmap it shows and the vector
// objects drawn over it. A window renders it and converts mouse positions to
// image coordinates; everything here works in image coordinates.
class ImageView {
public:
    Bitmap& Image() { return image_; }
    const Bitmap& Image() const { return image_; }
    VectorLayer& Layer() { return layer_; }
    const VectorLayer& Layer() const { return layer_; }

private:
    Bitmap image_;
    VectorLayer layer_;
};

}  // namespace kavrell

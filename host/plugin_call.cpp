#include "host/plugin_call.h"

#include <cstring>
#include <limits>

namespace qvxhost {
namespace {

PlugInCall* activeCall = nullptr;

// A view of image's pixels, no copy; image must be Format_RGB888.
HostBitmap ViewOf(const QImage& image) {
    HostBitmap bitmap{};
    bitmap.Width = image.width();
    bitmap.Height = image.height();
    bitmap.PixelFormat = hpfRgb24;
    bitmap.TopRow = image.constBits();
    bitmap.RowStep = image.bytesPerLine();
    return bitmap;
}

// A copy of what the plug-in passed, or a null image when it is unusable.
QImage CopyOf(const HostBitmap* bitmap) {
    if (!bitmap || bitmap->PixelFormat != hpfRgb24 || bitmap->Width < 1 || bitmap->Height < 1 ||
        !bitmap->TopRow)
        return {};
    const auto rowBytes = 3 * static_cast<ptrdiff_t>(bitmap->Width);
    const ptrdiff_t step = bitmap->RowStep;
    if (step > -rowBytes && step < rowBytes) return {};
    // Every row address must be representable.
    const ptrdiff_t largestStep = std::numeric_limits<ptrdiff_t>::max() / bitmap->Height;
    if (step > largestStep || step < -largestStep) return {};
    QImage image(bitmap->Width, bitmap->Height, QImage::Format_RGB888);
    if (image.isNull()) return {};
    for (int y = 0; y < bitmap->Height; ++y) {
        std::memcpy(image.scanLine(y), bitmap->TopRow + y * step, static_cast<size_t>(rowBytes));
    }
    return image;
}

}  // namespace

PlugInCall::PlugInCall(bool animationOn, const QImage& current, const QImage* next)
    : animationOn_(animationOn), current_(current), next_(next ? *next : QImage()) {
    currentBitmap_ = ViewOf(current_);
    if (!next_.isNull()) nextBitmap_ = ViewOf(next_);
}

void PlugInCall::Run(const PlugInLibrary& plugIn, HostWindowHandle window) {
    activeCall = this;
    plugIn.Execute(window, &PlugInCall::OnCommand);
    activeCall = nullptr;
}

void PlugInCall::OnCommand(int32_t command, HostFrameRecord* record) {
    if (activeCall && record) activeCall->Answer(command, record);
}

void PlugInCall::Answer(int32_t command, HostFrameRecord* record) {
    switch (command) {
    case hcQueryAnimation:
        record->AnimationOn = animationOn_ ? 1 : 0;
        return;
    case hcGetFrames:
        record->Bitmap = &currentBitmap_;
        record->NextBitmap = next_.isNull() ? nullptr : &nextBitmap_;
        return;
    case hcAddMorphFrame:
    case hcAddWarpFrame:
        Receive(*record);
        return;
    default:  // hcFramesDone, and commands this host does not know
        return;
    }
}

void PlugInCall::Receive(const HostFrameRecord& record) {
    QImage image = CopyOf(record.Bitmap);
    if (image.isNull()) {
        ++refused_;
        return;
    }
    received_.append({std::move(image), std::max(0, record.DelayMs)});
}

}  // namespace qvxhost

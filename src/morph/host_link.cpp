#include "morph/host_link.h"

#include <cstddef>
#include <cstring>
#include <limits>
#include <new>

#include "morph/messages.h"

namespace kavrell {
namespace {

constexpr int32_t kBytesPerPixel = 3;

// Whether the host's rows can be walked and a working copy allocated: the
// row step is long enough for a row, the host's buffer from its first to its
// last byte fits a ptrdiff_t, and our padded rows fit int32 and size_t.
bool UsableLayout(const HostBitmap& source) {
    const uint64_t rowBytes = uint64_t(kBytesPerPixel) * uint64_t(source.Width);
    const uint64_t step = source.RowStep < 0 ? 0 - uint64_t(source.RowStep) : uint64_t(source.RowStep);
    if (step < rowBytes) return false;
    uint64_t span = 0;
    if (__builtin_mul_overflow(step, uint64_t(source.Height - 1), &span) ||
        __builtin_add_overflow(span, rowBytes, &span) ||
        span > uint64_t(std::numeric_limits<ptrdiff_t>::max()))
        return false;
    if (rowBytes + 3 > uint64_t(std::numeric_limits<int32_t>::max())) return false;
    size_t ours = 0;
    return !__builtin_mul_overflow(size_t(RowStrideFor(source.Width)), size_t(source.Height), &ours);
}

}  // namespace

bool CopyHostBitmap(const HostBitmap* source, Bitmap& copy) {
    if (!source || source->Width < 1 || source->Height < 1 || source->PixelFormat != hpfRgb24 ||
        !source->TopRow || !UsableLayout(*source))
        return false;
    Bitmap pixels;
    try {
        pixels.Resize(source->Width, source->Height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const size_t rowBytes = size_t(kBytesPerPixel) * size_t(source->Width);
    for (int32_t y = 0; y < source->Height; ++y) {
        std::memcpy(pixels.ScanLine(y), source->TopRow + ptrdiff_t(y) * source->RowStep, rowBytes);
    }
    copy = std::move(pixels);
    return true;
}

HostBitmap ViewAsHostBitmap(const Bitmap& bitmap) {
    HostBitmap view{};
    view.Width = bitmap.Width();
    view.Height = bitmap.Height();
    view.PixelFormat = hpfRgb24;
    view.TopRow = bitmap.Empty() ? nullptr : bitmap.ScanLine(0);
    view.RowStep = -ptrdiff_t(bitmap.RowStride());
    return view;
}

HostLink::HostLink(EditorModel& model) : model_(model) { model_.AttachHost(this); }

HostLink::~HostLink() { model_.AttachHost(nullptr); }

void HostLink::Send(int32_t command) {
    if (callback_) callback_(command, &record_);
}

void HostLink::ShowHostFrames() {
    Send(hcGetFrames);
    // An image we refuse stays empty, which the model treats as absent.
    Bitmap current;
    Bitmap next;
    const bool hasNext = record_.NextBitmap != nullptr;
    bool refused = !CopyHostBitmap(record_.Bitmap, current);
    if (hasNext && !CopyHostBitmap(record_.NextBitmap, next)) refused = true;
    Send(hcFramesDone);

    model_.Show(current, hasNext ? &next : nullptr);
    model_.SetFrameNumber(record_.FrameNumber);
    if (refused) MorphMessage(kMsgAnimationModeOff);
}

void HostLink::AddFrame(int32_t command, const Bitmap& bitmap, int32_t frameNumber, int32_t delayMs) {
    const HostBitmap view = ViewAsHostBitmap(bitmap);
    record_.Bitmap = &view;
    record_.FrameNumber = frameNumber;
    record_.DelayMs = delayMs;
    Send(command);
    // The view ends with this call; the model counts on from whatever number
    // the host left in the record.
    record_.Bitmap = nullptr;
    model_.SetFrameNumber(record_.FrameNumber);
}

}  // namespace kavrell

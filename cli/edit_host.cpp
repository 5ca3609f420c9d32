#include "cli/edit_host.h"

#include <stdexcept>

#include "morph/host_link.h"

namespace kavrell::cli {
namespace {

EditHost* liveHost = nullptr;

}  // namespace

EditHost::EditHost(const Bitmap& current, const std::optional<Bitmap>& next)
    : current_(ViewAsHostBitmap(current)) {
    if (next) next_ = ViewAsHostBitmap(*next);
    if (liveHost) throw std::logic_error("a second editor host while one lives");
    liveHost = this;
}

EditHost::~EditHost() { liveHost = nullptr; }

void EditHost::Answer(int32_t command, HostFrameRecord* record) {
    if (!liveHost || !record) return;
    switch (command) {
    case hcQueryAnimation:
        record->AnimationOn = liveHost->next_ ? 1 : 0;
        break;
    case hcGetFrames:
        record->Bitmap = &liveHost->current_;
        record->NextBitmap = liveHost->next_ ? &*liveHost->next_ : nullptr;
        break;
    case hcFramesDone:
        record->Bitmap = nullptr;
        record->NextBitmap = nullptr;
        break;
    case hcAddMorphFrame:
    case hcAddWarpFrame:
        liveHost->Take(*record);
        break;
    default:
        break;
    }
}

// The pixels are valid only during the call: they are copied at once.
void EditHost::Take(const HostFrameRecord& record) {
    Bitmap copy;
    if (!CopyHostBitmap(record.Bitmap, copy)) return;
    const int32_t index = frames_.AppendImage(copy);
    frames_.SetImageDelayTime(index, record.DelayMs);
}

}  // namespace kavrell::cli

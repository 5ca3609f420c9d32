#include "morph/messages.h"

namespace kavrell {

std::optional<DialogRequest> MessageFor(int32_t code) {
    switch (code) {
    case kMsgGenerationFailed:
        return DialogRequest{code,
                             "Error generating morphing sequence. Possible reason: control points "
                             "overlaping!",
                             DialogType::Error, DialogButtons::Ok};
    case kMsgAnimationModeOff:
        return DialogRequest{code,
                             "Quorvane animation mode is OFF. To execute morphing, turn animation mode ON!",
                             DialogType::Warning, DialogButtons::Ok};
    case kMsgNoControlPoints:
        return DialogRequest{code, "No morphing control points. Action suspended!", DialogType::Warning,
                             DialogButtons::Ok};
    case kMsgConfirmClear:
        return DialogRequest{code,
                             "Deleting all control points for selected method.\nDo you want to proceed?",
                             DialogType::Confirmation, DialogButtons::YesNo};
    default:
        return std::nullopt;
    }
}

bool MorphMessage(int32_t code) {
    const std::optional<DialogRequest> request = MessageFor(code);
    if (!request) return false;
    const DialogResult answer = ShowMessageDialog(*request);
    return answer != DialogResult::No && answer != DialogResult::Cancel;
}

}  // namespace kavrell

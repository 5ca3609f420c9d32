#pragma once

#include <cstdint>
#include <optional>

#include "platform/message_service.h"

namespace kavrell {

// Codes of the message table.
enum MessageCode : int32_t {
    kMsgGenerationFailed = 0,
    kMsgAnimationModeOff = 1,
    kMsgNoControlPoints = 2,
    kMsgConfirmClear = 4,
};

// The table row of a code, or nothing for a code the table does not hold.
std::optional<DialogRequest> MessageFor(int32_t code);

// Shows message code as a modal dialog. Returns false when it was answered No
// or closed without a button, true otherwise. A code outside the table shows
// nothing and returns false.
bool MorphMessage(int32_t code);

}  // namespace kavrell

#include "platform/message_service.h"

#include <utility>

namespace kavrell {
namespace {

DialogHandler& InstalledHandler() {
    static DialogHandler handler;
    return handler;
}

}  // namespace

void InstallDialogHandler(DialogHandler handler) { InstalledHandler() = std::move(handler); }

DialogResult ShowMessageDialog(const DialogRequest& request) {
    const DialogHandler& handler = InstalledHandler();
    return handler ? handler(request) : DialogResult::Cancel;
}

}  // namespace kavrell

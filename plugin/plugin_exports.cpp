#include "plugin_exports.h"

#include <QCoreApplication>
#include <QEvent>
#include <cstring>
#include <string_view>

#include "application_object.h"
#include "kavrell_window.h"
#include "message_dialogs.h"
#include "module_state.h"
#include "morph/messages.h"

namespace kavrell::plugin {
namespace {

constexpr std::string_view kIdentification = "Kavrell 2.1";

// The description, piece by piece; 0x95 is the bullet of the host's 8-bit
// character set.
constexpr std::string_view kDescriptionPieces[] = {
    "Kavrell 2.1 by Brenhollow. ",
    "\n\n",
    " Create morphing video sequence\n",
    " using these warping methods:\n",
    "\n\n",
    " \x95 Two-pass mesh warping\n",
    " \x95 Field warping\n\n",
    " NOTE: works only when video sequence exists!\n",
};

constexpr std::string_view kWebAddress = "https://brenhollow.example/kavrell";

constexpr size_t DescriptionLength() {
    size_t length = 0;
    for (std::string_view piece : kDescriptionPieces) length += piece.size();
    return length;
}

static_assert(kIdentification.size() < kIdentificationSize);
static_assert(DescriptionLength() < QVX_DESCRIPTION_ADDRESS_OFFSET,
              "the description ends before the address");
static_assert(QVX_DESCRIPTION_ADDRESS_OFFSET + kWebAddress.size() < QVX_DESCRIPTION_BUFFER_SIZE,
              "the address fits the host's buffer");

char* CopyWithNul(char* to, std::string_view text) {
    std::memcpy(to, text.data(), text.size());
    to[text.size()] = '\0';
    return to + text.size();
}

}  // namespace

const char* Identification() {
    CopyWithNul(identificationBuffer, kIdentification);
    return identificationBuffer;
}

int32_t PlugInVersion() { return kPlugInInterfaceVersion; }

int32_t Extension() { return kPlugInKind; }

char* Description(char* buffer) {
    char* end = buffer;
    for (std::string_view piece : kDescriptionPieces) end = CopyWithNul(end, piece);
    char* address = buffer + QVX_DESCRIPTION_ADDRESS_OFFSET;
    CopyWithNul(address, kWebAddress);
    return address;
}

int32_t Execute(HostWindowHandle window, HostCallback callback) {
    ui::frmKavrell = nullptr;
    // A fresh, zero-filled record: a host that does not answer the query
    // leaves animation mode off rather than some stray byte.
    HostFrameRecord query{};
    if (callback != nullptr) callback(hcQueryAnimation, &query);

    EnsureApplication();
    ui::InstallWidgetDialogs();
    if (query.AnimationOn == 0) {
        MorphMessage(kMsgAnimationModeOff);
        return 0;
    }

    savedApplicationHandle = ApplicationHandle();
    SetApplicationHandle(window);
    // A top-level window of the application object, kept above the host's
    // window where the window system allows.
    auto* editor = new ui::TfrmKavrell(nullptr);
    AttachToApplicationHandle(*editor);
    ui::frmKavrell = editor;
    editor->SetCallback(callback);
    editor->exec();
    // The window deletes itself once its modal loop has ended; a host
    // without an event loop of its own would never get to that.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

int32_t Shutdown(int32_t) {
    if (ui::frmKavrell != nullptr) {
        try {
            ui::frmKavrell->close();
        } catch (...) {
            // Whatever went wrong while closing, the handle is given back.
        }
    }
    SetApplicationHandle(savedApplicationHandle);
    return 0;
}

}  // namespace kavrell::plugin

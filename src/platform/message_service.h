#pragma once

#include <functional>
#include <string>

namespace kavrell {

enum class DialogType { Error, Warning, Confirmation };
enum class DialogButtons { Ok, YesNo };

// The answers a modal message dialog can give. Closing the dialog without a
// button answers Cancel.
enum class DialogResult { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct DialogRequest {
    int code;
    std::string text;
    DialogType type;
    DialogButtons buttons;
};

using DialogHandler = std::function<DialogResult(const DialogRequest&)>;

// Installs the dialog that messages are shown with: the window system's real
// dialog in the user interface, a recorder in tests and the command line.
// An empty handler restores the default, which shows nothing and answers
// Cancel, as if the dialog had been closed.
void InstallDialogHandler(DialogHandler handler);

// Shows the request through the installed handler and returns its answer.
DialogResult ShowMessageDialog(const DialogRequest& request);

}  // namespace kavrell

#pragma once

#include <vector>

#include "platform/message_service.h"

namespace kavrell::test {

// Installs a dialog handler for the life of the object that records every
// request and gives one fixed answer.
class RecordingDialog {
public:
    explicit RecordingDialog(DialogResult answer = DialogResult::Ok) : answer_(answer) {
        InstallDialogHandler([this](const DialogRequest& request) {
            shown.push_back(request);
            return answer_;
        });
    }
    ~RecordingDialog() { InstallDialogHandler({}); }
    RecordingDialog(const RecordingDialog&) = delete;
    RecordingDialog& operator=(const RecordingDialog&) = delete;

    void Answer(DialogResult answer) { answer_ = answer; }

    std::vector<DialogRequest> shown;

private:
    DialogResult answer_;
};

}  // namespace kavrell::test

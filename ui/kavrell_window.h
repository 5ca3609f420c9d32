#pragma once

#include <QDialog>
#include <memory>

#include "morph/editor_model.h"
#include "morph/editor_ports.h"
#include "qvx_plugin.h"

namespace kavrell {
class HostLink;
}

namespace kavrell::ui {

struct EditorControls;
class ImageViewWidget;
class TfrmMorphPlayer;

// The editor window "Kavrell v.2.1": the source frame on the left, the
// destination frame on the right, the warp method pages and the generation
// commands below. It shows an EditorModel, which holds every rule, turns the
// widgets' events into the model's calls and plugs the player window and the
// host into it.
//
// Shown modally with exec(): the first show fetches the host's frames through
// the callback. Closing it, by the close box, close() or after the frames
// were handed to the host, blanks the views and releases the record; the
// window then deletes itself once its modal loop has ended.
class TfrmKavrell : public QDialog, private SequencePlayer {
    Q_OBJECT
public:
    explicit TfrmKavrell(QWidget* owner = nullptr);
    ~TfrmKavrell() override;

    // The host's callback, through which the window fetches the frames on
    // show and hands saved frames over.
    void SetCallback(HostCallback callback);

    EditorModel& Model() { return model_; }
    TfrmMorphPlayer* frmMorphPlayer = nullptr;

    // The click handler of every button and of the check box: dispatches on
    // the sender's Tag.
    void CommonButtonsClick(QObject* sender);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void FormDestroy();
    void VectViewMouseDown(ImageViewWidget& sender, int x, int y);
    void VectViewMouseMove(ImageViewWidget& sender, int x, int y);
    void VectViewMouseUp(ImageViewWidget& sender, int x, int y);
    int32_t ShowModal(bool preview) override;

    ViewId IdOf(const ImageViewWidget& view) const;
    ImageViewWidget& ViewWidget(ViewId view) const;
    void PushControlValues();
    void ShowModelState();
    void CarryOut(const ViewRequest& request);

    EditorModel model_;
    std::unique_ptr<HostLink> host_;
    std::unique_ptr<EditorControls> controls_;
    bool shown_ = false;
};

// The editor window of the running invocation, or null.
extern TfrmKavrell* frmKavrell;

}  // namespace kavrell::ui

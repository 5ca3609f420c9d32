#pragma once

#include <QDialog>
#include <QSize>

#include "platform/frame_list.h"

class QLabel;

namespace kavrell::ui {

class FlatPanel;
class MultiFrameView;
class SpeedButton;
class TxTrackBar;

// The bounds of the frame cell, taken from the screen size once, when the
// player is created.
struct DisplayLimits {
    int minCellWidth = 300;
    int maxCellWidth = 0;
    int minCellHeight = 100;
    int maxCellHeight = 0;

    static DisplayLimits ForScreen(QSize screen);
};

// The player window "Morph output": shows a generated frame list one frame at
// a time in a cell sized to the frames, plays it in a loop, steps to its ends,
// scrubs through it with a track bar and shows the number of the frame on
// screen. "Save sequence and exit" ends the modal show with kSaveResult; any
// other close ends it with kCancelResult.
class TfrmMorphPlayer : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSaveResult = 1;
    static constexpr int kCancelResult = 2;

    // Reads the display limits from the primary screen.
    TfrmMorphPlayer(FrameList& frames, QWidget* owner);
    // Reads the display limits from the given screen size instead.
    TfrmMorphPlayer(FrameList& frames, QWidget* owner, QSize screenSize);

    // Shows the frames modally, without the save button in preview mode, and
    // returns kSaveResult or kCancelResult.
    int ShowModal(bool previewMode);

    FrameList& Frames() { return frames_; }
    const DisplayLimits& Limits() const { return limits_; }

    void done(int result) override;
    void reject() override;

private:
    void BuildControls();
    void FormShow();
    void FormClose();
    void VA_playClick();
    void VA_beginClick();
    void VA_endClick();
    void VA_trackChange();
    void VA_MViewImageDraw(int32_t index);
    bool eventFilter(QObject* watched, QEvent* event) override;

    FrameList& frames_;
    QSize screenSize_;
    DisplayLimits limits_;
    bool previewMode_ = false;

    FlatPanel* panTop_ = nullptr;
    SpeedButton* lbSaveClose_ = nullptr;
    MultiFrameView* VA_MView_ = nullptr;
    SpeedButton* VA_play_ = nullptr;
    TxTrackBar* VA_track_ = nullptr;
    QLabel* VA_lab_ = nullptr;
};

}  // namespace kavrell::ui

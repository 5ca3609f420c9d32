#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/frame_list.h"

namespace kavrell::ui {

// Shows one frame of a FrameList at a time, fitted whole into a cell of
// ThumbWidth x ThumbHeight in the middle of the view, and plays the frames in
// turn, each for its own display time.
class MultiFrameView : public QWidget {
    Q_OBJECT
public:
    // Called each time the view puts a frame on screen, with the frame's index.
    using ImageDrawHandler = std::function<void(int32_t index)>;

    // Frames with a shorter display time (0 included) are shown this long, so
    // that playback always advances: one hundredth of a second, the unit of
    // the editor's delay setting.
    static constexpr int kMinDisplayMs = 10;

    explicit MultiFrameView(FrameList& frames, QWidget* parent = nullptr);

    FrameList& Frames() { return frames_; }
    int32_t ImageCount() const { return frames_.Count(); }
    // Size of a frame, 0 x 0 for an index outside the list.
    int32_t GetImageWidth(int32_t index) const;
    int32_t GetImageHeight(int32_t index) const;

    int ThumbWidth() const { return thumbWidth_; }
    int ThumbHeight() const { return thumbHeight_; }
    void SetThumbWidth(int width);
    void SetThumbHeight(int height);

    // The frame on screen; -1 while the list is empty. Setting it draws that
    // frame (clamped to the list) and calls the image-draw handler, also when
    // it is the frame already shown.
    int32_t VisibleFrame() const { return visibleFrame_; }
    void SetVisibleFrame(int32_t index);

    bool Playing() const { return playing_; }
    void SetPlaying(bool playing);
    // With looping on, playback goes on with frame 0 after the last frame;
    // with it off, playback stops on the last frame.
    bool PlayLoop() const { return playLoop_; }
    void SetPlayLoop(bool loop) { playLoop_ = loop; }

    void SetOnImageDraw(ImageDrawHandler handler) { onImageDraw_ = std::move(handler); }
    const ImageDrawHandler& OnImageDraw() const { return onImageDraw_; }

    // The cell within the view, and the rectangle the frame on screen fills.
    QRect CellRect() const;
    QRect FrameRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowNextFrame();
    void ScheduleNextFrame();

    FrameList& frames_;
    int thumbWidth_ = 120;
    int thumbHeight_ = 120;
    int32_t visibleFrame_ = -1;
    bool playLoop_ = false;
    bool playing_ = false;
    QTimer timer_;
    ImageDrawHandler onImageDraw_;
};

}  // namespace kavrell::ui

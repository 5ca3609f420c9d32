#include "multi_frame_view.h"

#include <QPainter>
#include <algorithm>

#include "bitmap_image.h"
#include "ui_colors.h"

namespace kavrell::ui {

MultiFrameView::MultiFrameView(FrameList& frames, QWidget* parent) : QWidget(parent), frames_(frames) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &MultiFrameView::ShowNextFrame);
}

int32_t MultiFrameView::GetImageWidth(int32_t index) const {
    return index >= 0 && index < frames_.Count() ? frames_.Frame(index).Width() : 0;
}

int32_t MultiFrameView::GetImageHeight(int32_t index) const {
    return index >= 0 && index < frames_.Count() ? frames_.Frame(index).Height() : 0;
}

void MultiFrameView::SetThumbWidth(int width) {
    thumbWidth_ = std::max(1, width);
    update();
}

void MultiFrameView::SetThumbHeight(int height) {
    thumbHeight_ = std::max(1, height);
    update();
}

void MultiFrameView::SetVisibleFrame(int32_t index) {
    visibleFrame_ = frames_.Count() == 0 ? -1 : std::clamp(index, 0, frames_.Count() - 1);
    update();
    // A frame shown during playback stays for its whole display time.
    if (playing_) ScheduleNextFrame();
    if (visibleFrame_ >= 0 && onImageDraw_) onImageDraw_(visibleFrame_);
}

void MultiFrameView::SetPlaying(bool playing) {
    if (playing == playing_) return;
    playing_ = playing && frames_.Count() > 0;
    if (playing_) {
        ScheduleNextFrame();
    } else {
        timer_.stop();
    }
}

void MultiFrameView::ScheduleNextFrame() {
    const bool listed = visibleFrame_ >= 0 && visibleFrame_ < frames_.Count();
    const int32_t delay = listed ? frames_.DelayMs(visibleFrame_) : 0;
    timer_.start(std::max(delay, kMinDisplayMs));
}

void MultiFrameView::ShowNextFrame() {
    if (frames_.Count() == 0) {
        SetPlaying(false);
        return;
    }
    const int32_t next = visibleFrame_ + 1;
    if (next < frames_.Count()) {
        SetVisibleFrame(next);
    } else if (playLoop_) {
        SetVisibleFrame(0);
    } else {
        SetPlaying(false);
    }
}

QRect MultiFrameView::CellRect() const {
    return QRect((width() - thumbWidth_) / 2, (height() - thumbHeight_) / 2, thumbWidth_, thumbHeight_);
}

// A frame that fits the cell is shown at its own size; a larger one is
// scaled down, keeping its proportions, until it fits.
QRect MultiFrameView::FrameRect() const {
    const QRect cell = CellRect();
    const QSize frame(GetImageWidth(visibleFrame_), GetImageHeight(visibleFrame_));
    if (frame.isEmpty()) return {};
    const QSize shown = frame.width() <= cell.width() && frame.height() <= cell.height()
                            ? frame
                            : frame.scaled(cell.size(), Qt::KeepAspectRatio);
    return QRect(cell.x() + (cell.width() - shown.width()) / 2,
                 cell.y() + (cell.height() - shown.height()) / 2, shown.width(), shown.height());
}

void MultiFrameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QRect frame = FrameRect();
    if (frame.isEmpty()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(frame, ToQImage(frames_.Frame(visibleFrame_)));
    // The thumbnail border, just outside the frame.
    painter.setPen(QPen(kBlack, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(-1, -1, 0, 0));
}

}  // namespace kavrell::ui

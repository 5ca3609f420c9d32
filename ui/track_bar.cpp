#include "track_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

namespace kavrell::ui {

TxTrackBar::TxTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::NoTicks);
    setSingleStep(1);
    setPageStep(1);
}

void TxTrackBar::SetEnableSelRange(bool enable) {
    if (enable == enableSelRange_) return;
    enableSelRange_ = enable;
    RecreateLook();
}

void TxTrackBar::SetSelection(int start, int end) {
    selStart_ = std::min(start, end);
    selEnd_ = std::max(start, end);
    if (enableSelRange_) update();
}

void TxTrackBar::RecreateLook() {
    style()->unpolish(this);
    style()->polish(this);
    updateGeometry();
    update();
}

int TxTrackBar::PositionOf(int value) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    return groove.x() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), value, span, option.upsideDown);
}

// The groove, then the selection range over it, then the handle on top.
void TxTrackBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
    if (enableSelRange_) {
        const QColor band = palette().color(QPalette::Highlight);
        const int from = PositionOf(selStart_);
        const int to = std::max(PositionOf(selEnd_), from + 1);
        const int middle = height() / 2;
        painter.fillRect(QRect(QPoint(from, middle - 2), QPoint(to, middle + 1)), band);
        painter.fillRect(QRect(from - 1, 0, 3, 4), band);
        painter.fillRect(QRect(to - 1, 0, 3, 4), band);
    }
    option.subControls = QStyle::SC_SliderHandle;
    if (isSliderDown()) option.state |= QStyle::State_Sunken;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}

}  // namespace kavrell::ui

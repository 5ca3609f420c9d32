#include "host/frame_preview.h"

#include <QPainter>

namespace qvxhost {

FramePreview::FramePreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void FramePreview::SetImage(const QImage& image) {
    image_ = image;
    update();
}

void FramePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x3a, 0x3d, 0x42));
    if (image_.isNull()) {
        painter.setPen(QColor(0xc8, 0xcc, 0xd2));
        painter.drawText(rect(), Qt::AlignCenter, tr("Open frames to begin (File > Open frames...)"));
        return;
    }
    // Never enlarged beyond twice the frame's size, so small frames stay crisp.
    const QSize limit = image_.size() * 2;
    QSize shown = image_.size().scaled(rect().size().boundedTo(limit) - QSize(16, 16), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

}  // namespace qvxhost

#include "flat_panel.h"

#include <QPainter>

#include "ui_colors.h"
#include "window_font.h"

namespace kavrell::ui {

FlatPanel::FlatPanel(QWidget* parent) : QFrame(parent), borderColor_(kGrey) { setFont(WindowFont()); }

void FlatPanel::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void FlatPanel::SetBorderColor(const QColor& color) {
    borderColor_ = color;
    update();
}

void FlatPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(borderColor_, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (caption_.isEmpty()) return;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, caption_);
}

}  // namespace kavrell::ui

#include "gauge_widget.h"

#include <QPainter>

#include "ui_colors.h"
#include "window_font.h"

namespace kavrell::ui {

GaugeWidget::GaugeWidget(ProgressGauge& gauge, QWidget* parent) : QWidget(parent), gauge_(gauge) {
    setFont(WindowFont());
    gauge_.SetListener([this](int32_t) { repaint(); });
}

GaugeWidget::~GaugeWidget() { gauge_.SetListener({}); }

void GaugeWidget::SetBorderColor(const QColor& color) {
    borderColor_ = color;
    update();
}

void GaugeWidget::SetBarColor(const QColor& color) {
    barColor_ = color;
    update();
}

QRect GaugeWidget::FilledRect() const {
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    return QRect(inside.topLeft(), QSize(inside.width() * gauge_.Progress() / 100, inside.height()));
}

void GaugeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kWhite);
    painter.fillRect(FilledRect(), barColor_);
    painter.setPen(QPen(borderColor_, 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // The text is readable on either part: white over the bar, black beside it.
    const QString text = QString::number(gauge_.Progress()) + QLatin1Char('%');
    painter.setPen(kBlack);
    painter.drawText(rect(), Qt::AlignCenter, text);
    painter.setClipRect(FilledRect());
    painter.setPen(kWhite);
    painter.drawText(rect(), Qt::AlignCenter, text);
}

}  // namespace kavrell::ui

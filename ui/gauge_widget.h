#pragma once

#include <QColor>
#include <QWidget>

#include "platform/progress_gauge.h"

namespace kavrell::ui {

// A flat progress bar showing a ProgressGauge from 0 to 100 with the
// percentage in the middle. Generation runs without an event loop, so every
// change of the gauge repaints the widget at once rather than scheduling it.
class GaugeWidget : public QWidget {
    Q_OBJECT
public:
    explicit GaugeWidget(ProgressGauge& gauge, QWidget* parent = nullptr);
    ~GaugeWidget() override;

    ProgressGauge& Gauge() { return gauge_; }

    void SetBorderColor(const QColor& color);
    void SetBarColor(const QColor& color);
    QColor BorderColor() const { return borderColor_; }
    QColor BarColor() const { return barColor_; }

    // The part of the bar that the current progress fills.
    QRect FilledRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ProgressGauge& gauge_;
    QColor borderColor_{0x00, 0x00, 0x00};
    QColor barColor_{0x00, 0x30, 0x60};
};

}  // namespace kavrell::ui

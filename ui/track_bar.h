#pragma once

#include <QSlider>

namespace kavrell::ui {

// A horizontal track bar that shows its selection range only when
// EnableSelRange is on (off by default).
class TxTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TxTrackBar(QWidget* parent = nullptr);

    bool EnableSelRange() const { return enableSelRange_; }
    // Setting the value it already has does nothing; a new value rebuilds the
    // control's look so that the range appears or disappears.
    void SetEnableSelRange(bool enable);

    int SelStart() const { return selStart_; }
    int SelEnd() const { return selEnd_; }
    void SetSelection(int start, int end);

    // The horizontal pixel position where the handle's centre sits at value.
    int PositionOf(int value) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void RecreateLook();

    bool enableSelRange_ = false;
    int selStart_ = 0;
    int selEnd_ = 0;
};

}  // namespace kavrell::ui

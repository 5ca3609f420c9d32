#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

namespace kavrell::ui {

// A flat panel: the parent's colour, a one-pixel border and an optional
// caption centred in the panel, which child controls may cover.
class FlatPanel : public QFrame {
    Q_OBJECT
public:
    explicit FlatPanel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QColor BorderColor() const { return borderColor_; }
    void SetBorderColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor borderColor_;
};

}  // namespace kavrell::ui

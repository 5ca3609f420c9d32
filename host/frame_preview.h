#pragma once

#include <QImage>
#include <QWidget>

namespace qvxhost {

// The current frame, scaled to fit and centred on a dark background.
class FramePreview : public QWidget {
public:
    explicit FramePreview(QWidget* parent = nullptr);
    void SetImage(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

}  // namespace qvxhost

#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>

#include "platform/image_view.h"

namespace kavrell::ui {

// The cursors an image view shows over its image.
enum class ViewCursor { Default, CrossHair, HandPoint };

// Shows one ImageView: its bitmap at a zoom factor with the visible vector
// objects drawn over it in image coordinates. An image larger than the view
// scrolls (ViewX, ViewY, with scroll bars); a smaller one sits at the top-left
// corner or, with Center on, in the middle. XScr2Bmp and YScr2Bmp turn a
// position in the view into the image pixel shown there.
//
// The widget itself neither selects nor draws anything on mouse input: every
// press, move and release goes to the handlers installed on it.
class ImageViewWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The widget's view, the button, the modifier keys and the position in
    // view pixels (the move handler is given Qt::NoButton).
    using MouseHandler = std::function<void(ImageViewWidget& sender, Qt::MouseButton button,
                                            Qt::KeyboardModifiers shift, int x, int y)>;

    static constexpr double kMinZoom = 1.0 / 64;
    static constexpr double kMaxZoom = 64.0;

    explicit ImageViewWidget(ImageView& view, QWidget* parent = nullptr);
    ~ImageViewWidget() override;

    ImageView& View() { return view_; }

    // Call after changing the view's bitmap: the widget shows a copy of it.
    void ImageChanged();

    // 1.0 shows one image pixel per view pixel; clamped to kMinZoom..kMaxZoom.
    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    // Zooms so that the whole image fits the view and scrolls to the origin.
    void Fit();

    bool Center() const { return center_; }
    void SetCenter(bool center);

    // Scroll position in view pixels, kept within the scrollable range.
    int ViewX() const;
    int ViewY() const;
    void SetViewX(int x);
    void SetViewY(int y);

    // The image pixel under view position x (or y); positions outside the
    // image give coordinates outside it, never clamped.
    int XScr2Bmp(int x) const;
    int YScr2Bmp(int y) const;

    ViewCursor Cursor() const { return cursor_; }
    void SetViewCursor(ViewCursor cursor);

    void SetOnMouseDown(MouseHandler handler) { onMouseDown_ = std::move(handler); }
    void SetOnMouseMove(MouseHandler handler) { onMouseMove_ = std::move(handler); }
    void SetOnMouseUp(MouseHandler handler) { onMouseUp_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Width and height of the image on screen at the current zoom.
    int ZoomedWidth() const;
    int ZoomedHeight() const;
    // Where the image's top-left corner lies in the view, scrolling included.
    QPointF ImageOrigin() const;
    QPointF ToView(double x, double y) const;
    void UpdateScrollBars();
    void DrawObjects(QPainter& painter) const;
    void Deliver(const MouseHandler& handler, QMouseEvent* event, Qt::MouseButton button);

    ImageView& view_;
    QImage image_;
    double zoom_ = 1.0;
    bool center_ = false;
    ViewCursor cursor_ = ViewCursor::Default;
    MouseHandler onMouseDown_;
    MouseHandler onMouseMove_;
    MouseHandler onMouseUp_;
};

}  // namespace kavrell::ui

#include "image_view_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "bitmap_image.h"
#include "ui_colors.h"

namespace kavrell::ui {
namespace {

Qt::CursorShape ShapeOf(ViewCursor cursor) {
    switch (cursor) {
    case ViewCursor::CrossHair:
        return Qt::CrossCursor;
    case ViewCursor::HandPoint:
        return Qt::PointingHandCursor;
    case ViewCursor::Default:
        break;
    }
    return Qt::ArrowCursor;
}

}  // namespace

ImageViewWidget::ImageViewWidget(ImageView& view, QWidget* parent)
    : QAbstractScrollArea(parent), view_(view) {
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    view_.Layer().SetChangeListener([this] { viewport()->update(); });
    ImageChanged();
}

ImageViewWidget::~ImageViewWidget() { view_.Layer().SetChangeListener({}); }

void ImageViewWidget::ImageChanged() {
    image_ = ToQImage(view_.Image());
    UpdateScrollBars();
    viewport()->update();
}

void ImageViewWidget::SetZoom(double zoom) {
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    UpdateScrollBars();
    viewport()->update();
}

void ImageViewWidget::Fit() {
    if (!image_.isNull()) {
        // The fitted image needs no scroll bars, so the whole area is available.
        const QSize area = maximumViewportSize();
        SetZoom(std::min(double(area.width()) / image_.width(), double(area.height()) / image_.height()));
    }
    SetViewX(0);
    SetViewY(0);
}

void ImageViewWidget::SetCenter(bool center) {
    center_ = center;
    viewport()->update();
}

int ImageViewWidget::ViewX() const { return horizontalScrollBar()->value(); }
int ImageViewWidget::ViewY() const { return verticalScrollBar()->value(); }
void ImageViewWidget::SetViewX(int x) { horizontalScrollBar()->setValue(x); }
void ImageViewWidget::SetViewY(int y) { verticalScrollBar()->setValue(y); }

int ImageViewWidget::ZoomedWidth() const { return static_cast<int>(std::lround(image_.width() * zoom_)); }
int ImageViewWidget::ZoomedHeight() const { return static_cast<int>(std::lround(image_.height() * zoom_)); }

QPointF ImageViewWidget::ImageOrigin() const {
    double x = -ViewX();
    double y = -ViewY();
    if (center_) {
        const QSize area = viewport()->size();
        if (ZoomedWidth() < area.width()) x = (area.width() - ZoomedWidth()) / 2;
        if (ZoomedHeight() < area.height()) y = (area.height() - ZoomedHeight()) / 2;
    }
    return {x, y};
}

QPointF ImageViewWidget::ToView(double x, double y) const {
    const QPointF origin = ImageOrigin();
    return {origin.x() + x * zoom_, origin.y() + y * zoom_};
}

// The image pixel drawn at the view pixel: the nearest-neighbour drawing
// takes each view pixel from the image pixel under its top-left corner.
int ImageViewWidget::XScr2Bmp(int x) const {
    return static_cast<int>(std::floor((x - ImageOrigin().x()) / zoom_));
}

int ImageViewWidget::YScr2Bmp(int y) const {
    return static_cast<int>(std::floor((y - ImageOrigin().y()) / zoom_));
}

void ImageViewWidget::SetViewCursor(ViewCursor cursor) {
    cursor_ = cursor;
    viewport()->setCursor(ShapeOf(cursor));
}

// A scroll bar appears only when the zoomed image exceeds the area left
// beside the other bar, so the ranges are worked out from the area without
// bars rather than from the viewport as it stands.
void ImageViewWidget::UpdateScrollBars() {
    const QSize whole = maximumViewportSize();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    bool horizontal = ZoomedWidth() > whole.width();
    const bool vertical = ZoomedHeight() > whole.height() - (horizontal ? bar : 0);
    horizontal = ZoomedWidth() > whole.width() - (vertical ? bar : 0);
    const QSize area(whole.width() - (vertical ? bar : 0), whole.height() - (horizontal ? bar : 0));
    horizontalScrollBar()->setRange(0, std::max(0, ZoomedWidth() - area.width()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setRange(0, std::max(0, ZoomedHeight() - area.height()));
    verticalScrollBar()->setPageStep(area.height());
}

void ImageViewWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void ImageViewWidget::scrollContentsBy(int, int) { viewport()->update(); }

void ImageViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Window));
    if (image_.isNull()) return;
    const QPointF origin = ImageOrigin();
    painter.drawImage(QRectF(origin, QSizeF(image_.width() * zoom_, image_.height() * zoom_)), image_);
    DrawObjects(painter);
}

// Objects are drawn back to front with one-pixel pens. An object spans the
// image pixels from its corner up to, not including, corner plus extent; a
// line joins the two corners themselves.
void ImageViewWidget::DrawObjects(QPainter& painter) const {
    const VectorLayer& layer = view_.Layer();
    for (int32_t index = 0; index < layer.ObjectsCount(); ++index) {
        const VectorObject* object = layer.FindObject(layer.GetObjFromIndex(index));
        if (!object || !(object->style & kStyleVisible)) continue;
        painter.setPen(QPen(ToQColor(object->penColor), 0));
        const QPointF from = ToView(object->left, object->top);
        const QPointF to = ToView(double(object->left) + object->width, double(object->top) + object->height);
        if (object->kind == ObjKind::Line) {
            painter.drawLine(QPoint(std::floor(from.x()), std::floor(from.y())),
                             QPoint(std::floor(to.x()), std::floor(to.y())));
            continue;
        }
        const QRect area = QRect(
            QPoint(std::floor(std::min(from.x(), to.x())), std::floor(std::min(from.y(), to.y()))),
            QPoint(std::floor(std::max(from.x(), to.x())) - 1, std::floor(std::max(from.y(), to.y())) - 1));
        if (area.isEmpty()) continue;
        painter.setBrush(object->brushStyle == BrushStyle::Solid ? QBrush(ToQColor(object->brushColor))
                                                                 : QBrush(Qt::NoBrush));
        // A rectangle drawn with a one-pixel pen covers one pixel more than its size.
        const QRect outline = area.adjusted(0, 0, -1, -1);
        if (object->kind == ObjKind::Box) {
            painter.drawRect(outline);
        } else {
            painter.drawEllipse(outline);
        }
    }
}

void ImageViewWidget::Deliver(const MouseHandler& handler, QMouseEvent* event, Qt::MouseButton button) {
    if (!handler) return;
    const QPoint at = event->position().toPoint();
    handler(*this, button, event->modifiers(), at.x(), at.y());
}

void ImageViewWidget::mousePressEvent(QMouseEvent* event) { Deliver(onMouseDown_, event, event->button()); }
void ImageViewWidget::mouseMoveEvent(QMouseEvent* event) { Deliver(onMouseMove_, event, Qt::NoButton); }
void ImageViewWidget::mouseReleaseEvent(QMouseEvent* event) { Deliver(onMouseUp_, event, event->button()); }

}  // namespace kavrell::ui

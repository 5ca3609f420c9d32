#include "button_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include "ui_colors.h"

namespace kavrell::ui {
namespace {

void FillPolygon(QPainter& painter, const QColor& color, const QPolygon& polygon) {
    painter.setPen(QPen(color, 0));
    painter.setBrush(color);
    painter.drawPolygon(polygon);
}

void DrawCenter(QPainter& painter) {
    painter.setPen(QPen(kBlack, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRect(4, 4, 8, 8));
    const QColor arrow = kGreen;
    FillPolygon(painter, arrow, QPolygon({QPoint(8, 0), QPoint(11, 3), QPoint(5, 3)}));     // up
    FillPolygon(painter, arrow, QPolygon({QPoint(8, 15), QPoint(11, 12), QPoint(5, 12)}));  // down
    FillPolygon(painter, arrow, QPolygon({QPoint(0, 8), QPoint(3, 5), QPoint(3, 11)}));     // left
    FillPolygon(painter, arrow, QPolygon({QPoint(15, 8), QPoint(12, 5), QPoint(12, 11)}));  // right
}

void DrawFit(QPainter& painter) {
    const QRect frame(5, 5, 12, 12);
    painter.fillRect(frame, kAqua);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kYellow);
    painter.drawEllipse(QRect(12, 7, 3, 3));
    painter.setBrush(kOlive);
    painter.drawPolygon(QPolygon({QPoint(5, 17), QPoint(5, 13), QPoint(8, 10), QPoint(11, 13), QPoint(13, 11),
                                  QPoint(17, 15), QPoint(17, 17)}));
    painter.setPen(QPen(kBlack, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    // Arrows from the picture's corners towards the frame's corners.
    // They stop short of the outermost pixels: the bottom-left one marks the
    // transparent colour.
    const QPoint corners[] = {{1, 1}, {20, 1}, {1, 20}, {20, 20}};
    for (const QPoint& corner : corners) {
        const int dx = corner.x() == 1 ? 1 : -1;
        const int dy = corner.y() == 1 ? 1 : -1;
        const QPoint tip = corner + QPoint(3 * dx, 3 * dy);
        painter.drawLine(corner, tip);
        FillPolygon(painter, kBlack, QPolygon({tip, tip - QPoint(2 * dx, 0), tip - QPoint(0, 2 * dy)}));
    }
}

void DrawMagnifier(QPainter& painter, bool plus) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kBlack, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3, 14), QPointF(6.5, 10.5));
    painter.setPen(QPen(kBlack, 1.2));
    painter.setBrush(kWhite);
    painter.drawEllipse(QPointF(10.5, 6.5), 5.5, 5.5);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(8, 6, 6, 2), kBlack);
    if (plus) painter.fillRect(QRect(10, 4, 2, 6), kBlack);
}

// A triangle pointing left or right with its base at x and its tip width away.
QPolygon Triangle(int x, int width, bool right) {
    const int tip = right ? x + width : x - width;
    return QPolygon({QPoint(x, 5), QPoint(x, 14), QPoint(tip, 10), QPoint(tip, 9)});
}

void DrawPlayerPicture(QPainter& painter, ButtonPicture picture) {
    painter.fillRect(QRect(0, 0, 20, 20), kSilver);
    switch (picture) {
    case ButtonPicture::Begin:
        FillPolygon(painter, kBlack, Triangle(10, 5, false));
        FillPolygon(painter, kBlack, Triangle(15, 5, false));
        break;
    case ButtonPicture::Play:
        FillPolygon(painter, kBlack, Triangle(7, 6, true));
        break;
    default:
        FillPolygon(painter, kBlack, Triangle(5, 5, true));
        FillPolygon(painter, kBlack, Triangle(10, 5, true));
        break;
    }
}

int SideOf(ButtonPicture picture) {
    switch (picture) {
    case ButtonPicture::Center:
        return 16;
    case ButtonPicture::Fit:
        return 22;
    case ButtonPicture::ZoomIn:
    case ButtonPicture::ZoomOut:
        return 17;
    default:
        return 20;
    }
}

}  // namespace

QPixmap DrawButtonPicture(ButtonPicture picture) {
    const int side = SideOf(picture);
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    switch (picture) {
    case ButtonPicture::Center:
        DrawCenter(painter);
        break;
    case ButtonPicture::Fit:
        DrawFit(painter);
        break;
    case ButtonPicture::ZoomIn:
    case ButtonPicture::ZoomOut:
        DrawMagnifier(painter, picture == ButtonPicture::ZoomIn);
        break;
    default:
        DrawPlayerPicture(painter, picture);
        break;
    }
    return pixmap;
}

}  // namespace kavrell::ui

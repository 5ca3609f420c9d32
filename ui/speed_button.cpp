#include "speed_button.h"

#include <QEvent>
#include <QPainter>

#include "ui_colors.h"
#include "window_font.h"

namespace kavrell::ui {

ButtonColors ColorsOf(ButtonLook look) {
    switch (look) {
    case ButtonLook::Selector:
        return {QColor(0x00, 0x30, 0x60),
                QColor(0x29, 0x65, 0xAD),
                QColor(0x9C, 0xAE, 0xCE),
                kSilver,
                kSilver,
                kWhite};
    case ButtonLook::Command:
        return {kSilver, kSilver, kSilver, kWhite, kGrey, kBlack};
    case ButtonLook::Execute:
        return {QColor(0xC0, 0xC0, 0x00),
                QColor(0xC0, 0xC0, 0x00),
                QColor(0xDF, 0xDF, 0x00),
                kYellow,
                kOlive,
                kBlack};
    case ButtonLook::ViewTool:
        return {QColor(), QColor(0xBC, 0xDA, 0x24), QColor(0xE4, 0xF6, 0x8C), kBlack, kBlack, kBlack};
    case ButtonLook::Flat:
        break;
    }
    return {QColor(), kSilver, QColor(), kWhite, kGrey, kBlack};
}

SpeedButton::SpeedButton(ButtonLook look, QWidget* parent)
    : QAbstractButton(parent), look_(look), colors_(ColorsOf(look)) {
    setFont(WindowFont());
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
    if (look == ButtonLook::ViewTool) setCursor(Qt::PointingHandCursor);
}

void SpeedButton::SetGroupIndex(int group) {
    groupIndex_ = group;
    setCheckable(group != 0);
}

void SpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0) return;
    setChecked(down);
    if (down) ReleaseGroup();
}

void SpeedButton::ReleaseGroup() {
    if (!parentWidget()) return;
    for (auto* other : parentWidget()->findChildren<SpeedButton*>(Qt::FindDirectChildrenOnly)) {
        if (other != this && other->groupIndex_ == groupIndex_) other->setChecked(false);
    }
}

void SpeedButton::nextCheckState() {
    if (!isChecked()) {
        SetDown(true);
    } else if (allowAllUp_) {
        setChecked(false);
    }
}

void SpeedButton::SetTextColor(const QColor& color) {
    colors_.text = color;
    update();
}

void SpeedButton::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

bool SpeedButton::event(QEvent* event) {
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave) update();
    return QAbstractButton::event(event);
}

QColor SpeedButton::CurrentFace() const {
    if (isChecked() || isDown()) return colors_.downFace;
    if (underMouse() && isEnabled()) return colors_.hotFace;
    return colors_.face;
}

QSize SpeedButton::sizeHint() const { return {25, 25}; }

void SpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    const QColor face = CurrentFace();
    if (face.isValid()) painter.fillRect(area, face);

    // Raised edges, sunken while down; the flat looks show edges only when
    // the pointer is over them or they are down.
    const bool flat = look_ == ButtonLook::ViewTool || look_ == ButtonLook::Flat;
    const bool sunken = isChecked() || isDown();
    if (!flat || sunken || underMouse()) {
        const QColor topLeft = sunken ? colors_.shadow : colors_.light;
        const QColor bottomRight = sunken ? colors_.light : colors_.shadow;
        painter.setPen(topLeft);
        painter.drawLine(area.topLeft(), area.topRight());
        painter.drawLine(area.topLeft(), area.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        painter.drawLine(area.topRight(), area.bottomRight());
    }

    const QPoint shift = sunken ? QPoint(1, 1) : QPoint(0, 0);
    if (!picture_.isNull()) {
        const QPoint at((area.width() - picture_.width()) / 2, (area.height() - picture_.height()) / 2);
        painter.drawPixmap(at + shift, picture_);
    }
    if (!text().isEmpty()) {
        painter.setPen(isEnabled() ? colors_.text : kGrey);
        painter.drawText(area.translated(shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
}

}  // namespace kavrell::ui

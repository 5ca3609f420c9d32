#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace kavrell::ui {

// The looks of the windows' speed buttons.
enum class ButtonLook {
    Selector,  // a choice among several: dark blue face, white text
    Command,   // an ordinary command: silver face, black text
    Execute,   // the main command: olive-yellow face
    ViewTool,  // a flat picture button of an image view's toolbar
    Flat,      // a flat picture button on the window's face
};

// The colours of one look. A look without a distinct down or hot-track face
// keeps its face in those states.
struct ButtonColors {
    QColor face;  // invalid: the parent's colour shows through
    QColor downFace;
    QColor hotFace;
    QColor light;
    QColor shadow;
    QColor text;
};

ButtonColors ColorsOf(ButtonLook look);

// A speed button. With group index 0 it is a plain push button. With another
// group index it stays down after a click and releases the other buttons of
// its group (those with the same parent and group index); a click on it while
// down releases it only when the group allows all buttons up.
class SpeedButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit SpeedButton(ButtonLook look, QWidget* parent = nullptr);

    ButtonLook Look() const { return look_; }

    // The integer that a shared click handler dispatches on.
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int group);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }

    // The lasting down state of a grouped button.
    bool Down() const { return isChecked(); }
    void SetDown(bool down);

    void SetTextColor(const QColor& color);
    QColor TextColor() const { return colors_.text; }
    void SetPicture(const QPixmap& picture);

    // The face colour for the button's present state.
    QColor CurrentFace() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;
    bool event(QEvent* event) override;

private:
    void ReleaseGroup();

    ButtonLook look_;
    ButtonColors colors_;
    QPixmap picture_;
    int tag_ = 0;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
};

}  // namespace kavrell::ui

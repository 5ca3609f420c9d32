#pragma once

#include <QSpinBox>

namespace kavrell::ui {

// An integer spin edit. Stepping stops at the limits; a typed value outside
// them is accepted while typing and set to the nearest limit when the entry
// is confirmed or the edit loses focus.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, int initial, QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& text, int& position) const override;
    void fixup(QString& text) const override;
};

}  // namespace kavrell::ui

#include "spin_edit.h"

#include <algorithm>

#include "window_font.h"

namespace kavrell::ui {

SpinEdit::SpinEdit(int minimum, int maximum, int initial, QWidget* parent) : QSpinBox(parent) {
    setFont(WindowFont());
    setRange(minimum, maximum);
    setValue(initial);
}

QValidator::State SpinEdit::validate(QString& text, int& position) const {
    const QValidator::State state = QSpinBox::validate(text, position);
    if (state != QValidator::Invalid) return state;
    // A whole number beyond the limits may still be typed; it is corrected
    // to the nearest limit when the entry ends.
    bool isNumber = false;
    text.toLongLong(&isNumber);
    return isNumber || text == QLatin1String("-") ? QValidator::Intermediate : QValidator::Invalid;
}

void SpinEdit::fixup(QString& text) const {
    bool isNumber = false;
    const qlonglong typed = text.toLongLong(&isNumber);
    text = QString::number(isNumber ? std::clamp<qlonglong>(typed, minimum(), maximum()) : value());
}

}  // namespace kavrell::ui

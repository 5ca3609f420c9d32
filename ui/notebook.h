#pragma once

#include <QStackedWidget>

namespace kavrell::ui {

// Pages without tabs; the program switches them by index.
class Notebook : public QStackedWidget {
    Q_OBJECT
public:
    explicit Notebook(QWidget* parent = nullptr) : QStackedWidget(parent) {}

    // Adds an empty page, named for lookup, whose controls are placed at
    // fixed positions.
    QWidget* AddPage(const QString& name);

    int PageIndex() const { return currentIndex(); }
    void SetPageIndex(int index) { setCurrentIndex(index); }
};

}  // namespace kavrell::ui

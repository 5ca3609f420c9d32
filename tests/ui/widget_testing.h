#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>

namespace kavrell::test {

// Runs action on the first visible top-level widget of type W once the event
// loop runs, that is, after a modal show has begun.
template <typename W>
void WhenShown(std::function<void(W&)> action) {
    QTimer::singleShot(0, [action] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* wanted = qobject_cast<W*>(widget); wanted && wanted->isVisible()) {
                action(*wanted);
                return;
            }
        }
        ADD_FAILURE() << "no visible " << W::staticMetaObject.className();
    });
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// Writes the widget's picture to the build folder's screenshot directory.
inline std::string SaveScreenshot(QWidget& widget, const QString& name) {
    QDir().mkpath(QStringLiteral(KAVRELL_SCREENSHOT_DIR));
    const QString path = QStringLiteral(KAVRELL_SCREENSHOT_DIR "/") + name + QStringLiteral(".png");
    widget.grab().save(path);
    return path.toStdString();
}

inline QColor PixelAt(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

}  // namespace kavrell::test

// Drives qvx-host's main window as a user does: menus, tool buttons, the
// frame strip and the save dialog, with real mouse and key events.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace qvxhost::test {

// Runs handle on the first visible top-level widget of type T once it shows
// (a modal dialog shows inside the call that opens it).
template <typename T>
inline void WhenShown(std::function<void(T*)> handle) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, handle] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* found = qobject_cast<T*>(widget);
            if (found && found->isVisible()) {
                timer->stop();
                timer->deleteLater();
                handle(found);
                return;
            }
        }
    });
    timer->start();
}

inline void ClickCentre(QWidget* widget, const QRect& area) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, area.center());
}

inline QMenu* OpenMenu(QMainWindow& window, const QString& title) {
    QMenuBar* bar = window.menuBar();
    for (QAction* action : bar->actions()) {
        if (action->text().remove('&') == title) ClickCentre(bar, bar->actionGeometry(action));
    }
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

inline void ChooseFromMenu(QMenu* menu, const QString& text) {
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions()) {
        if (action->text().remove('&') == text) {
            ClickCentre(menu, menu->actionGeometry(action));
            return;
        }
    }
    FAIL() << "no menu entry " << text.toStdString();
}

inline QListWidget* Strip(QMainWindow& window) { return window.findChild<QListWidget*>(); }

inline void ClickToolButton(QMainWindow& window, const QString& text) {
    for (auto* button : window.findChildren<QToolButton*>()) {
        if (button->defaultAction() && button->defaultAction()->text() == text) {
            ClickCentre(button, button->rect());
            return;
        }
    }
    FAIL() << "no tool button " << text.toStdString();
}

inline void SelectFrame(QMainWindow& window, int row) {
    QListWidget* strip = Strip(window);
    ClickCentre(strip->viewport(), strip->visualItemRect(strip->item(row)));
}

// File > Save animation as..., typing name into the dialog, which opens in
// the folder of the frames.
inline void SaveAs(QMainWindow& window, const QString& name) {
    WhenShown<QFileDialog>([name](QFileDialog* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    ChooseFromMenu(OpenMenu(window, "File"), "Save animation as...");
}

inline void SaveScreenshot(const QPixmap& pixmap, const QString& name) {
    const QString folder = QStringLiteral(KAVRELL_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    EXPECT_TRUE(pixmap.save(folder + "/" + name));
}

struct ReadBack {
    QList<QImage> frames;
    QList<int> delaysMs;
};

inline ReadBack ReadAnimationFile(const QString& path) {
    QImageReader reader(path);
    ReadBack read;
    for (QImage image = reader.read(); !image.isNull(); image = reader.read()) {
        read.frames.append(image.convertToFormat(QImage::Format_RGB888));
        read.delaysMs.append(reader.nextImageDelay());
        if (!reader.canRead()) break;
    }
    return read;
}

}  // namespace qvxhost::test

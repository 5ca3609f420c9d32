#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace kavrell::test {

// Answers every message box that shows up by clicking its OK button with a
// real mouse event, and keeps what each said.
class DialogAnswerer {
public:
    struct Seen {
        QString text;
        QMessageBox::Icon icon;
    };

    DialogAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerVisible(); });
        timer_.start(10);
    }

    std::vector<Seen> seen;

private:
    void AnswerVisible() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box == nullptr || !box->isVisible()) continue;
            seen.push_back({box->text(), box->icon()});
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        }
    }

    QTimer timer_;
};

// The visible top-level widgets captioned title.
inline std::vector<QWidget*> VisibleWindows(const QString& title) {
    std::vector<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == title) found.push_back(widget);
    }
    return found;
}

// Runs action once the editor window "Kavrell v.2.1" is on screen, from the
// editor's own modal loop. Gives up after a while with a failure, closing
// every window, so that a window that never shows or never closes ends the
// test instead of hanging it.
class WhenEditorShown {
public:
    explicit WhenEditorShown(std::function<void(QWidget&)> action) : action_(std::move(action)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(10);
    }

    bool ran = false;

private:
    void Poll() {
        const std::vector<QWidget*> editors = VisibleWindows(QStringLiteral("Kavrell v.2.1"));
        if (!editors.empty() && !ran) {
            ran = true;
            action_(*editors.front());
            return;
        }
        if (++polls_ == kGiveUpPolls) {
            ADD_FAILURE() << "the editor window did not show or did not close";
            QApplication::closeAllWindows();
        }
    }

    static constexpr int kGiveUpPolls = 3000;
    std::function<void(QWidget&)> action_;
    QTimer timer_;
    int polls_ = 0;
};

}  // namespace kavrell::test

#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include "qvx_plugin.h"

namespace kavrell::test {

// A host as a plug-in sees it: answers the animation query, lends two frames
// and keeps a copy of every frame handed back. HostCallback is a plain
// function, so the one host of a test is reached through a static pointer
// while it exists.
class TestHost {
public:
    struct Frame {
        int32_t command;
        int32_t frameNumber;
        int32_t delayMs;
        int32_t width;
        int32_t height;
        std::vector<uint8_t> pixels;  // rows of 3 x width bytes, top row first
    };

    TestHost() { active_ = this; }
    ~TestHost() { active_ = nullptr; }
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    static void Callback(int32_t command, HostFrameRecord* record) {
        if (active_ != nullptr) active_->Answer(command, *record);
    }

    // Lends these frames with command 5; no next frame when next is null.
    void Lend(const HostBitmap* current, const HostBitmap* next) {
        current_ = current;
        next_ = next;
    }

    bool animationOn = false;
    // Whether the host writes its answer to the query; a host that does not
    // leaves the record as the plug-in made it.
    bool answersQuery = true;
    std::vector<int32_t> commands;
    // Every byte of the record as each query arrived.
    std::vector<std::array<uint8_t, sizeof(HostFrameRecord)>> queryRecords;
    std::vector<Frame> frames;

private:
    void Answer(int32_t command, HostFrameRecord& record) {
        commands.push_back(command);
        switch (command) {
        case hcQueryAnimation:
            queryRecords.emplace_back();
            std::memcpy(queryRecords.back().data(), &record, sizeof record);
            if (answersQuery) record.AnimationOn = animationOn ? 1 : 0;
            break;
        case hcGetFrames:
            record.Bitmap = current_;
            record.NextBitmap = next_;
            break;
        case hcAddMorphFrame:
        case hcAddWarpFrame:
            frames.push_back(Copy(command, record));
            break;
        default:
            break;
        }
    }

    static Frame Copy(int32_t command, const HostFrameRecord& record) {
        const HostBitmap& bitmap = *record.Bitmap;
        Frame frame{command, record.FrameNumber, record.DelayMs, bitmap.Width, bitmap.Height, {}};
        const size_t rowBytes = 3 * static_cast<size_t>(bitmap.Width);
        for (int32_t y = 0; y < bitmap.Height; ++y) {
            const uint8_t* row = bitmap.TopRow + y * bitmap.RowStep;
            frame.pixels.insert(frame.pixels.end(), row, row + rowBytes);
        }
        return frame;
    }

    static inline TestHost* active_ = nullptr;
    const HostBitmap* current_ = nullptr;
    const HostBitmap* next_ = nullptr;
};

// A host-owned frame: rows top-down, 3 x width bytes each, pixels varying
// with x, y and a seed so that two frames differ everywhere.
struct HostFrame {
    HostFrame(int32_t width, int32_t height, int seed) : pixels(3 * static_cast<size_t>(width) * height) {
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                uint8_t* pixel = &pixels[3 * (static_cast<size_t>(y) * width + x)];
                pixel[0] = static_cast<uint8_t>(x * 7 + seed);
                pixel[1] = static_cast<uint8_t>(y * 5 + 3 * seed);
                pixel[2] = static_cast<uint8_t>((x + y) * 3 + 7 * seed);
            }
        }
        bitmap = HostBitmap{width, height, hpfRgb24, 0, pixels.data(), 3 * static_cast<ptrdiff_t>(width)};
    }
    HostFrame(const HostFrame&) = delete;
    HostFrame& operator=(const HostFrame&) = delete;

    std::vector<uint8_t> pixels;
    HostBitmap bitmap;
};

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

// qvx-host driven as a user drives it, on the offscreen platform: frames
// opened, animation mode switched on, the fake plug-in run from the Plug-ins
// menu, the animation saved through the file dialog and read back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "fake_plugin_contract.h"
#include "host/host_frame.h"
#include "host/host_window.h"
#include "host_driver.h"

namespace qvxhost::test {
namespace {

const QString kFrameA = QStringLiteral(KAVRELL_EXAMPLES_DIR "/frame_a.png");
const QString kFrameB = QStringLiteral(KAVRELL_EXAMPLES_DIR "/frame_b.png");

QImage Rgb(const QString& path) { return QImage(path).convertToFormat(QImage::Format_RGB888); }

// Every channel of frame lies between those of a and b.
bool Between(const QImage& frame, const QImage& a, const QImage& b) {
    for (int y = 0; y < frame.height(); ++y) {
        for (int i = 0; i < 3 * frame.width(); ++i) {
            const uchar value = frame.constScanLine(y)[i];
            const uchar low = std::min(a.constScanLine(y)[i], b.constScanLine(y)[i]);
            const uchar high = std::max(a.constScanLine(y)[i], b.constScanLine(y)[i]);
            if (value < low || value > high) return false;
        }
    }
    return true;
}

double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int i = 0; i < 3 * a.width(); ++i)
            sum += std::abs(a.constScanLine(y)[i] - b.constScanLine(y)[i]);
    }
    return sum / (3.0 * a.width() * a.height());
}

class QvxHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        window_.resize(900, 640);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        // The frames are opened from a folder of their own, where the save
        // dialog then opens.
        for (const QString& frame : {kFrameA, kFrameB}) {
            ASSERT_TRUE(QFile::copy(frame, folder_.filePath(QFileInfo(frame).fileName())));
        }
        ASSERT_TRUE(window_.OpenFrames({folder_.filePath("frame_a.png"), folder_.filePath("frame_b.png")}));
    }

    QTemporaryDir folder_;
    HostWindow window_{QStringLiteral(FAKE_PLUGIN_DIR)};
};

TEST_F(QvxHostTest, RunsThePlugInAndSavesTheAnimation) {
    QListWidget* strip = Strip(window_);
    ASSERT_EQ(strip->count(), 2);
    EXPECT_EQ(strip->currentRow(), 0);

    ClickToolButton(window_, "Animation mode");
    ChooseFromMenu(OpenMenu(window_, "Plug-ins"), FAKE_PLUGIN_IDENTIFICATION);

    // The current frame, the handed-over frames after it, then the next frame.
    const int inserted = FAKE_PLUGIN_STEPS + 1;
    ASSERT_EQ(strip->count(), 2 + inserted);
    EXPECT_EQ(strip->currentRow(), 0);
    QList<int> expectedDelays = {kDefaultDelayMs};
    for (int i = 0; i < inserted; ++i) expectedDelays.append(FAKE_PLUGIN_DELAY_MS);
    expectedDelays.append(kDefaultDelayMs);
    for (int row = 0; row < strip->count(); ++row) {
        EXPECT_TRUE(strip->item(row)->text().endsWith(QStringLiteral("%1 ms").arg(expectedDelays[row])))
            << strip->item(row)->text().toStdString();
    }
    SaveScreenshot(window_.grab(), "qvx_host_frames.png");

    // Lossless WebP: the frames exactly as the host holds them, except that
    // it stores each run of identical frames (the first two, the last two)
    // once, shown for their added times.
    SaveAs(window_, "morph.webp");
    const ReadBack exact = ReadAnimationFile(folder_.filePath("morph.webp"));
    const QImage a = Rgb(kFrameA), b = Rgb(kFrameB);
    ASSERT_EQ(exact.frames.size(), inserted);
    QList<int> mergedDelays = expectedDelays.mid(1, inserted);
    mergedDelays.front() += expectedDelays.front();
    mergedDelays.back() += expectedDelays.back();
    EXPECT_EQ(exact.delaysMs, mergedDelays);
    EXPECT_EQ(exact.frames.front(), a);
    EXPECT_EQ(exact.frames.back(), b);
    for (int i = 1; i < inserted; ++i) {
        EXPECT_TRUE(Between(exact.frames[i], a, b)) << "frame " << i;
        EXPECT_NE(exact.frames[i], exact.frames[i - 1]) << "frame " << i;
    }

    // With the GIF format chosen, the name gets its ending.
    SaveAs(window_, "morph");
    const ReadBack quantised = ReadAnimationFile(folder_.filePath("morph.gif"));
    ASSERT_EQ(quantised.frames.size(), 2 + inserted);
    EXPECT_EQ(quantised.delaysMs, expectedDelays);
    for (int i = 0; i < quantised.frames.size(); ++i) {
        const QImage& held = exact.frames[std::clamp(i - 1, 0, inserted - 1)];
        EXPECT_LT(MeanDifference(quantised.frames[i], held), 4.0) << "frame " << i;
    }

    // Opened again as one animated file, it gives every frame with its time.
    ASSERT_TRUE(window_.OpenFrames({folder_.filePath("morph.gif")}));
    ASSERT_EQ(strip->count(), 2 + inserted);
    for (int row = 0; row < strip->count(); ++row) {
        EXPECT_EQ(strip->item(row)->text(),
                  QStringLiteral("%1  \u00b7  %2 ms").arg(row + 1).arg(expectedDelays[row]));
    }
}

struct RunCase {
    const char* name;
    bool animationOn;
    int selectedRow;
    int inserted;
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

class QvxHostRunTest : public QvxHostTest, public ::testing::WithParamInterface<RunCase> {};

// The frames land after the selected one; without a next frame the plug-in
// works on the current frame alone; with animation mode off it adds nothing.
TEST_P(QvxHostRunTest, InsertsWhatThePlugInHandsBackAfterTheCurrentFrame) {
    const RunCase& c = GetParam();
    QListWidget* strip = Strip(window_);
    SelectFrame(window_, c.selectedRow);
    ASSERT_EQ(strip->currentRow(), c.selectedRow);
    if (c.animationOn) ClickToolButton(window_, "Animation mode");
    ChooseFromMenu(OpenMenu(window_, "Plug-ins"), FAKE_PLUGIN_IDENTIFICATION);

    ASSERT_EQ(strip->count(), 2 + c.inserted);
    EXPECT_EQ(strip->currentRow(), c.selectedRow);
    for (int row = 0; row < strip->count(); ++row) {
        const bool handedOver = row > c.selectedRow && row <= c.selectedRow + c.inserted;
        const int delay = handedOver ? FAKE_PLUGIN_DELAY_MS : kDefaultDelayMs;
        EXPECT_EQ(strip->item(row)->text(), QStringLiteral("%1  \u00b7  %2 ms").arg(row + 1).arg(delay));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, QvxHostRunTest,
                         ::testing::Values(RunCase{"FirstFrame", true, 0, FAKE_PLUGIN_STEPS + 1},
                                           RunCase{"LastFrame", true, 1, FAKE_PLUGIN_STEPS},
                                           RunCase{"AnimationOff", false, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QvxHostTest, PlugInsMenuCaptionsAndDescribesEachPlugIn) {
    QMenu* menu = OpenMenu(window_, "Plug-ins");
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QPixmap shot = window_.grab();
    {
        QPainter painter(&shot);
        painter.drawPixmap(menu->mapToGlobal(QPoint()) - window_.mapToGlobal(QPoint()), menu->grab());
    }
    SaveScreenshot(shot, "qvx_host_plugins_menu.png");

    QMenu* about = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == "About plug-ins") about = action->menu();
    }
    ASSERT_NE(about, nullptr);
    ChooseFromMenu(menu, "About plug-ins");
    QString shown;
    WhenShown<QMessageBox>([&shown](QMessageBox* box) {
        shown = box->text();
        box->accept();
    });
    ChooseFromMenu(about, FAKE_PLUGIN_IDENTIFICATION);
    EXPECT_TRUE(shown.startsWith("Cross-fades the current frame")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("https://example.invalid/cross-fade")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(
        QStringLiteral("Interface version %1, kind %2").arg(FAKE_PLUGIN_VERSION).arg(FAKE_PLUGIN_KIND)))
        << shown.toStdString();
}

}  // namespace
}  // namespace qvxhost::test

int main(int argc, char** argv) {
    // Without a display of its own the test runs on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The whole product from the host's menu to the new frames: qvx-host opens
// the two example frames, switches animation mode on and runs the built
// Kavrell_qvx.qvx from its Plug-ins menu; in the editor the user creates a
// mesh, executes the morph and saves it in the player. The host then holds
// the source, the handed-over sequence and the destination, and saves them
// as a GIF that reads back with every frame.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "host/host_window.h"
#include "host_driver.h"
#include "plugin_testing.h"

namespace qvxhost::test {
namespace {

const QString kFrameA = QStringLiteral(KAVRELL_EXAMPLES_DIR "/frame_a.png");
const QString kFrameB = QStringLiteral(KAVRELL_EXAMPLES_DIR "/frame_b.png");

// Clicks the editor's or player's button with this object name. The
// plug-in's own classes are hidden in the library; Qt's base class is not.
void ClickButton(QWidget& window, const char* name) {
    auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB888); }

TEST(HostSession, InsertsTheMorphFramesAndSavesThemAsGif) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const QString& frame : {kFrameA, kFrameB}) {
        ASSERT_TRUE(QFile::copy(frame, folder.filePath(QFileInfo(frame).fileName())));
    }
    HostWindow window{QFileInfo(QStringLiteral(KAVRELL_QVX_PATH)).absolutePath()};
    window.resize(900, 640);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(window.OpenFrames({folder.filePath("frame_a.png"), folder.filePath("frame_b.png")}));
    ClickToolButton(window, "Animation mode");

    bool saved = false;
    kavrell::test::WhenEditorShown edit([&](QWidget& editor) {
        ClickButton(editor, "lbNewMesh");
        // Generation runs inside the click; the timer fires in the player's
        // modal loop.
        QTimer::singleShot(0, [&] {
            const std::vector<QWidget*> players = kavrell::test::VisibleWindows("Morph output");
            ASSERT_EQ(players.size(), 1u);
            saved = true;
            ClickButton(*players.front(), "lbSaveClose");
        });
        ClickButton(editor, "lbMeshExecute");
    });
    ChooseFromMenu(OpenMenu(window, "Plug-ins"), "Kavrell 2.1");

    ASSERT_TRUE(edit.ran);
    ASSERT_TRUE(saved);
    QListWidget* strip = Strip(window);
    const int handed = strip->count() - 2;
    // The editor's default of 12 frames: source, in-betweens, destination.
    ASSERT_EQ(handed, 12);
    SaveScreenshot(window.grab(), "qvx_host_after_plugin.png");

    SaveAs(window, "morph.gif");
    const ReadBack gif = ReadAnimationFile(folder.filePath("morph.gif"));
    ASSERT_EQ(gif.frames.size(), 2 + handed);
    // The editor's delay of 10 hundredths: 100 ms for every handed frame.
    for (int row = 1; row <= handed; ++row) EXPECT_EQ(gif.delaysMs[row], 100) << "frame " << row;
    // The host's own frames around the sequence, and the sequence starting
    // with the source and ending with the destination; the GIF's palette
    // changes the colours a little.
    const QImage a = Rgb(QImage(kFrameA)), b = Rgb(QImage(kFrameB));
    const auto close = [](const QImage& x, const QImage& y) {
        double sum = 0;
        for (int line = 0; line < x.height(); ++line) {
            for (int i = 0; i < 3 * x.width(); ++i)
                sum += std::abs(x.constScanLine(line)[i] - y.constScanLine(line)[i]);
        }
        return sum / (3.0 * x.width() * x.height()) < 4.0;
    };
    EXPECT_TRUE(close(gif.frames[0], a));
    EXPECT_TRUE(close(gif.frames[1], a));
    EXPECT_TRUE(close(gif.frames[handed], b));
    EXPECT_TRUE(close(gif.frames[handed + 1], b));
    EXPECT_FALSE(close(gif.frames[handed / 2 + 1], a)) << "the middle frame is not a morph";
    EXPECT_FALSE(close(gif.frames[handed / 2 + 1], b)) << "the middle frame is not a morph";
}

}  // namespace
}  // namespace qvxhost::test

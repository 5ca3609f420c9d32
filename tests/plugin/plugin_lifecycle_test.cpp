// The plug-in's module state through one or more invocations, read directly
// from the plug-in's code linked into this Qt test host: the editor pointer,
// the saved handle and the application object's handle.
#include <gtest/gtest.h>

#include <algorithm>

#include "application_object.h"
#include "kavrell_window.h"
#include "module_state.h"
#include "morph/messages.h"
#include "morph_player_window.h"
#include "plugin_exports.h"
#include "plugin_testing.h"
#include "speed_button.h"
#include "support/fake_host.h"
#include "support/test_images.h"
#include "ui/widget_testing.h"

namespace kavrell::plugin {
namespace {

using test::DialogAnswerer;
using test::FakeHost;
using test::WhenEditorShown;

// The handle the application object holds before the first invocation in
// these tests, and the host windows the invocations pass.
constexpr HostWindowHandle kLibraryHandle = 0x51;
constexpr HostWindowHandle kHostWindowA = 0x3a00007;
constexpr HostWindowHandle kHostWindowB = 0x3c0000d;
// The host's current and next frame.
const Bitmap kCurrent = test::GradientBitmap(120, 80);
const Bitmap kNext = test::SolidBitmap(120, 80, 200, 40, 90);

class PluginLifecycleTest : public ::testing::Test {
protected:
    // Each test starts from the state a freshly loaded library has, with the
    // application object holding kLibraryHandle.
    void SetUp() override {
        savedApplicationHandle = 0;
        SetApplicationHandle(kLibraryHandle);
        ui::frmKavrell = nullptr;
    }
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // One invocation with animation mode on, the editor closed by the user
    // once shown. Checks what holds while the editor is open.
    void RunInvocation(HostWindowHandle window) {
        FakeHost host;
        host.animationOn = true;
        host.GiveFrames(kCurrent, &kNext);
        const HostWindowHandle before = ApplicationHandle();
        WhenEditorShown closeIt([&](QWidget& editor) {
            EXPECT_EQ(ui::frmKavrell, &editor);
            EXPECT_EQ(ApplicationHandle(), window);
            EXPECT_EQ(savedApplicationHandle, before);
            editor.close();
        });
        EXPECT_EQ(Execute(window, host.Callback()), 0);
        EXPECT_TRUE(closeIt.ran);
        // The window is gone, but the handle swap stays until shutdown.
        EXPECT_EQ(ui::frmKavrell, nullptr);
        EXPECT_EQ(ApplicationHandle(), window);
    }
};

TEST_F(PluginLifecycleTest, ShutdownGivesBackTheHandleSavedByTheLastInvocation) {
    struct Case {
        const char* name;
        std::vector<HostWindowHandle> invocations;
        HostWindowHandle afterShutdown;
    };
    const Case cases[] = {
        {"no invocation: nothing was saved", {}, 0},
        {"one invocation", {kHostWindowA}, kLibraryHandle},
        {"two invocations from one host window", {kHostWindowA, kHostWindowA}, kHostWindowA},
        {"two invocations from two host windows", {kHostWindowA, kHostWindowB}, kHostWindowA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (HostWindowHandle window : c.invocations) RunInvocation(window);
        EXPECT_EQ(Shutdown(0), 0);
        EXPECT_EQ(ApplicationHandle(), c.afterShutdown);
        EXPECT_EQ(ui::frmKavrell, nullptr);
    }
}

TEST_F(PluginLifecycleTest, AnimationModeOffWarnsOnFreshRecordAndChangesNothing) {
    struct Case {
        const char* name;
        bool answersQuery;
        bool passCallback;
    };
    const Case cases[] = {
        {"the host answers off", true, true},
        {"the host leaves the record as it is", false, true},
        {"no callback to ask", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        FakeHost host;
        host.animationOn = false;
        host.answersQuery = c.answersQuery;
        DialogAnswerer answerer;
        WhenEditorShown unexpected([](QWidget& editor) { editor.close(); });

        EXPECT_EQ(Execute(kHostWindowA, c.passCallback ? host.Callback() : nullptr), 0);

        ASSERT_EQ(answerer.seen.size(), 1u);
        EXPECT_EQ(answerer.seen[0].text.toStdString(), MessageFor(kMsgAnimationModeOff)->text);
        EXPECT_EQ(answerer.seen[0].icon, QMessageBox::Warning);
        EXPECT_FALSE(unexpected.ran) << "an editor window opened";
        EXPECT_EQ(ui::frmKavrell, nullptr);
        EXPECT_EQ(ApplicationHandle(), kLibraryHandle);
        EXPECT_EQ(savedApplicationHandle, 0u);
        if (c.passCallback) {
            EXPECT_EQ(host.Commands(), std::vector<int32_t>{hcQueryAnimation});
            ASSERT_EQ(host.queryRecords.size(), 1u);
            EXPECT_TRUE(std::all_of(host.queryRecords[0].begin(), host.queryRecords[0].end(),
                                    [](uint8_t byte) { return byte == 0; }))
                << "the query went out on a record that was not zero-filled";
        }
    }
}

TEST_F(PluginLifecycleTest, ShutdownClosesTheOpenEditorAndRestoresTheHandle) {
    FakeHost host;
    host.animationOn = true;
    host.GiveFrames(kCurrent, nullptr);
    WhenEditorShown shutDown([&](QWidget&) {
        EXPECT_EQ(Shutdown(0), 0);
        EXPECT_EQ(ApplicationHandle(), kLibraryHandle);
    });
    EXPECT_EQ(Execute(kHostWindowA, host.Callback()), 0);
    EXPECT_TRUE(shutDown.ran);
    EXPECT_EQ(ui::frmKavrell, nullptr);
    EXPECT_TRUE(test::VisibleWindows(QStringLiteral("Kavrell v.2.1")).empty());
}

// One whole invocation as a user makes it: "Create mesh", "Execute
// morphing", "Save sequence and exit". The frames the host receives are
// those the editor model generates headless from the same record.
TEST_F(PluginLifecycleTest, HandsTheHostTheFramesOfAWholeInvocation) {
    FakeHost host;
    host.GiveFrames(kCurrent, &kNext);
    FrameList expected;
    int32_t delay = 0;
    bool playerShown = false;
    WhenEditorShown edit([&](QWidget& shown) {
        auto& editor = static_cast<ui::TfrmKavrell&>(shown);
        QTest::mouseClick(editor.findChild<ui::SpeedButton*>(QStringLiteral("lbNewMesh")), Qt::LeftButton);
        ASSERT_NE(editor.Model().Warp(), nullptr);
        ASSERT_GT(editor.Model().Warp()->meshCols, 0);

        EditorModel headless;
        headless.Show(kCurrent, &kNext);
        *headless.Warp() = *editor.Model().Warp();
        headless.SetFrameCount(editor.Model().FrameCount());
        delay = editor.Model().Delay();
        headless.SetDelay(delay);
        ASSERT_EQ(headless.Generate(false), GenerationResult::Completed);
        expected = headless.Sequence();

        test::WhenShown<ui::TfrmMorphPlayer>([&](ui::TfrmMorphPlayer& player) {
            playerShown = true;
            test::SaveScreenshot(player, QStringLiteral("plugin_player"));
            QTest::mouseClick(player.findChild<ui::SpeedButton*>(QStringLiteral("lbSaveClose")),
                              Qt::LeftButton);
        });
        test::SaveScreenshot(editor, QStringLiteral("plugin_editor_mesh"));
        QTest::mouseClick(editor.findChild<ui::SpeedButton*>(QStringLiteral("lbMeshExecute")),
                          Qt::LeftButton);
    });

    EXPECT_EQ(Execute(kHostWindowA, host.Callback()), 0);

    ASSERT_TRUE(edit.ran);
    EXPECT_TRUE(playerShown);
    EXPECT_EQ(ui::frmKavrell, nullptr);
    ASSERT_GT(expected.Count(), 2);
    ASSERT_EQ(host.calls.size(), 3 + size_t(expected.Count()));
    EXPECT_EQ(host.calls[0].command, hcQueryAnimation);
    EXPECT_EQ(host.calls[1].command, hcGetFrames);
    EXPECT_EQ(host.calls[2].command, hcFramesDone);
    for (int k = 0; k < expected.Count(); ++k) {
        const FakeHost::Call& call = host.calls[3 + size_t(k)];
        EXPECT_EQ(call.command, hcAddMorphFrame);
        EXPECT_EQ(call.frameNumber, k + 1);
        EXPECT_EQ(call.delayMs, 10 * delay);
        ASSERT_TRUE(call.frame.has_value());
        EXPECT_EQ(*call.frame, expected.Frame(k)) << "frame " << k;
    }
    EXPECT_EQ(*host.calls[3].frame, kCurrent);
    EXPECT_EQ(*host.calls.back().frame, kNext);
}

}  // namespace
}  // namespace kavrell::plugin

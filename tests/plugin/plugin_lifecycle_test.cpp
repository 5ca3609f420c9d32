// The plug-in's module state through one or more invocations, read directly
// from the plug-in's code linked into this Qt test host: the editor pointer,
// the saved handle and the application object's handle.
#include <gtest/gtest.h>

#include <algorithm>

#include "application_object.h"
#include "kavrell_window.h"
#include "module_state.h"
#include "morph/messages.h"
#include "plugin_exports.h"
#include "test_host.h"

namespace kavrell::plugin {
namespace {

using test::DialogAnswerer;
using test::HostFrame;
using test::TestHost;
using test::WhenEditorShown;

// The handle the application object holds before the first invocation in
// these tests, and the host windows the invocations pass.
constexpr HostWindowHandle kLibraryHandle = 0x51;
constexpr HostWindowHandle kHostWindowA = 0x3a00007;
constexpr HostWindowHandle kHostWindowB = 0x3c0000d;

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
        HostFrame current(40, 30, 1);
        HostFrame next(40, 30, 2);
        TestHost host;
        host.animationOn = true;
        host.Lend(&current.bitmap, &next.bitmap);
        const HostWindowHandle before = ApplicationHandle();
        WhenEditorShown closeIt([&](QWidget& editor) {
            EXPECT_EQ(ui::frmKavrell, &editor);
            EXPECT_EQ(ApplicationHandle(), window);
            EXPECT_EQ(savedApplicationHandle, before);
            editor.close();
        });
        EXPECT_EQ(Execute(window, &TestHost::Callback), 0);
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
        TestHost host;
        host.animationOn = false;
        host.answersQuery = c.answersQuery;
        DialogAnswerer answerer;
        WhenEditorShown unexpected([](QWidget& editor) { editor.close(); });

        EXPECT_EQ(Execute(kHostWindowA, c.passCallback ? &TestHost::Callback : nullptr), 0);

        ASSERT_EQ(answerer.seen.size(), 1u);
        EXPECT_EQ(answerer.seen[0].text.toStdString(), MessageFor(kMsgAnimationModeOff)->text);
        EXPECT_EQ(answerer.seen[0].icon, QMessageBox::Warning);
        EXPECT_FALSE(unexpected.ran) << "an editor window opened";
        EXPECT_EQ(ui::frmKavrell, nullptr);
        EXPECT_EQ(ApplicationHandle(), kLibraryHandle);
        EXPECT_EQ(savedApplicationHandle, 0u);
        if (c.passCallback) {
            EXPECT_EQ(host.commands, std::vector<int32_t>{hcQueryAnimation});
            ASSERT_EQ(host.queryRecords.size(), 1u);
            EXPECT_TRUE(std::all_of(host.queryRecords[0].begin(), host.queryRecords[0].end(),
                                    [](uint8_t byte) { return byte == 0; }))
                << "the query went out on a record that was not zero-filled";
        }
    }
}

TEST_F(PluginLifecycleTest, ShutdownClosesTheOpenEditorAndRestoresTheHandle) {
    HostFrame current(40, 30, 1);
    TestHost host;
    host.animationOn = true;
    host.Lend(&current.bitmap, nullptr);
    WhenEditorShown shutDown([&](QWidget&) {
        EXPECT_EQ(Shutdown(0), 0);
        EXPECT_EQ(ApplicationHandle(), kLibraryHandle);
    });
    EXPECT_EQ(Execute(kHostWindowA, &TestHost::Callback), 0);
    EXPECT_TRUE(shutDown.ran);
    EXPECT_EQ(ui::frmKavrell, nullptr);
    EXPECT_TRUE(test::VisibleWindows(QStringLiteral("Kavrell v.2.1")).empty());
}

}  // namespace
}  // namespace kavrell::plugin

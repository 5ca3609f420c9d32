// Kavrell_qvx.qvx loaded as a host loads it: dlopen, and the six functions
// found by name. The test program is a Qt host, so the plug-in's dialogs and
// windows run in this program's application object, where the tests find
// them as top-level widgets.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QPointer>
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "morph/messages.h"
#include "plugin_testing.h"
#include "support/fake_host.h"
#include "support/test_images.h"

namespace kavrell::test {
namespace {

const QString kEditorTitle = QStringLiteral("Kavrell v.2.1");
// The host's current and next frame.
const Bitmap kCurrent = GradientBitmap(40, 30);
const Bitmap kNext = SolidBitmap(40, 30, 200, 40, 90);

struct PlugIn {
    QVX_IdentificationProc identification;
    QVX_GetPlugInVersionProc version;
    QVX_GetExtensionProc kind;
    QVX_DescriptionProc description;
    QVX_ExecuteProc execute;
    QVX_ShutdownProc shutdown;
};

class QvxLibraryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        library_ = dlopen(KAVRELL_QVX_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        plugIn_ = PlugIn{
            reinterpret_cast<QVX_IdentificationProc>(dlsym(library_, "QVX_Identification")),
            reinterpret_cast<QVX_GetPlugInVersionProc>(dlsym(library_, "QVX_GetPlugInVersion")),
            reinterpret_cast<QVX_GetExtensionProc>(dlsym(library_, "QVX_GetExtension")),
            reinterpret_cast<QVX_DescriptionProc>(dlsym(library_, "QVX_Description")),
            reinterpret_cast<QVX_ExecuteProc>(dlsym(library_, "QVX_Execute")),
            reinterpret_cast<QVX_ShutdownProc>(dlsym(library_, "QVX_Shutdown")),
        };
    }
    static void TearDownTestSuite() {
        if (library_ != nullptr) dlclose(library_);
        library_ = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(library_, nullptr);
        for (void* function :
             {reinterpret_cast<void*>(plugIn_.identification), reinterpret_cast<void*>(plugIn_.version),
              reinterpret_cast<void*>(plugIn_.kind), reinterpret_cast<void*>(plugIn_.description),
              reinterpret_cast<void*>(plugIn_.execute), reinterpret_cast<void*>(plugIn_.shutdown)}) {
            ASSERT_NE(function, nullptr);
        }
    }
    // Lets the windows a run closed be deleted, as a host's event loop would.
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static inline void* library_ = nullptr;
    static inline PlugIn plugIn_{};
    // The host's main window as the test passes it.
    static constexpr HostWindowHandle kHostWindow = 0x3a00007;
};

TEST_F(QvxLibraryTest, IdentifiesItselfWithTheSameBufferEveryTime) {
    const char* first = plugIn_.identification();
    const std::string firstText = first;
    const char* second = plugIn_.identification();
    EXPECT_EQ(first, second);
    EXPECT_EQ(firstText, "Kavrell 2.1");
    EXPECT_STREQ(second, "Kavrell 2.1");
}

TEST_F(QvxLibraryTest, TellsItsInterfaceVersionAndKind) {
    EXPECT_EQ(plugIn_.version(), 20);
    EXPECT_EQ(plugIn_.kind(), 2001);
}

TEST_F(QvxLibraryTest, WritesTheDescriptionAndTheAddressLeavingTheBytesBetween) {
    // The eight pieces as the host shows them; byte 0x95 is its bullet.
    const std::string_view pieces[] = {
        "Kavrell 2.1 by Brenhollow. ",
        "\n\n",
        " Create morphing video sequence\n",
        " using these warping methods:\n",
        "\n\n",
        " \x95 Two-pass mesh warping\n",
        " \x95 Field warping\n\n",
        " NOTE: works only when video sequence exists!\n",
    };
    std::string expected;
    for (std::string_view piece : pieces) expected += piece;

    constexpr char kUntouched = '\xA7';
    std::vector<char> buffer(QVX_DESCRIPTION_BUFFER_SIZE, kUntouched);
    const char* address = plugIn_.description(buffer.data());

    ASSERT_EQ(address, buffer.data() + QVX_DESCRIPTION_ADDRESS_OFFSET);
    EXPECT_EQ(std::string(buffer.data(), expected.size() + 1), expected + '\0');
    EXPECT_EQ(std::count(buffer.begin(), buffer.begin() + expected.size(), '\x95'), 2);
    for (size_t i = expected.size() + 1; i < QVX_DESCRIPTION_ADDRESS_OFFSET; ++i) {
        ASSERT_EQ(buffer[i], kUntouched) << "byte " << i;
    }
    const size_t addressLength =
        strnlen(address, QVX_DESCRIPTION_BUFFER_SIZE - QVX_DESCRIPTION_ADDRESS_OFFSET);
    ASSERT_LT(QVX_DESCRIPTION_ADDRESS_OFFSET + addressLength, buffer.size()) << "address not terminated";
    EXPECT_EQ(std::string_view(address, 8), "https://");
    EXPECT_GT(addressLength, 8u);
    for (size_t i = QVX_DESCRIPTION_ADDRESS_OFFSET + addressLength + 1; i < buffer.size(); ++i) {
        ASSERT_EQ(buffer[i], kUntouched) << "byte " << i;
    }
}

TEST_F(QvxLibraryTest, AnimationModeOffWarnsOnceThroughTheWarningDialogAndOpensNoWindow) {
    FakeHost host;
    host.animationOn = false;
    DialogAnswerer answerer;
    WhenEditorShown unexpected([](QWidget& editor) { editor.close(); });

    EXPECT_EQ(plugIn_.execute(kHostWindow, host.Callback()), 0);

    EXPECT_EQ(host.Commands(), std::vector<int32_t>{hcQueryAnimation});
    ASSERT_EQ(answerer.seen.size(), 1u);
    EXPECT_EQ(answerer.seen[0].text.toStdString(), MessageFor(kMsgAnimationModeOff)->text);
    EXPECT_EQ(answerer.seen[0].icon, QMessageBox::Warning);
    EXPECT_FALSE(unexpected.ran) << "an editor window opened";
}

TEST_F(QvxLibraryTest, ShutdownWithNoWindowOpensNothing) {
    DialogAnswerer answerer;
    EXPECT_EQ(plugIn_.shutdown(0), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(answerer.seen.empty());
    EXPECT_TRUE(VisibleWindows(kEditorTitle).empty());
}

TEST_F(QvxLibraryTest, RunsTwoInvocationsInARow) {
    for (int run = 0; run < 2; ++run) {
        FakeHost host;
        host.animationOn = true;
        host.GiveFrames(kCurrent, &kNext);
        WhenEditorShown closeIt([](QWidget& editor) { editor.close(); });
        EXPECT_EQ(plugIn_.execute(kHostWindow, host.Callback()), 0) << "run " << run;
        EXPECT_TRUE(closeIt.ran) << "run " << run;
        EXPECT_EQ(host.Commands(), (std::vector<int32_t>{hcQueryAnimation, hcGetFrames, hcFramesDone}))
            << "run " << run;
        EXPECT_TRUE(VisibleWindows(kEditorTitle).empty());
    }
    EXPECT_EQ(plugIn_.shutdown(0), 0);
}

TEST_F(QvxLibraryTest, ShutdownClosesAWindowThatIsStillOpen) {
    FakeHost host;
    host.animationOn = true;
    host.GiveFrames(kCurrent, nullptr);
    QPointer<QWidget> editor;
    WhenEditorShown shutDown([&](QWidget& shown) {
        editor = &shown;
        EXPECT_EQ(plugIn_.shutdown(0), 0);
    });

    EXPECT_EQ(plugIn_.execute(kHostWindow, host.Callback()), 0);

    ASSERT_TRUE(shutDown.ran);
    EXPECT_TRUE(editor.isNull()) << "the closed editor was not destroyed";
    EXPECT_EQ(host.Commands(), (std::vector<int32_t>{hcQueryAnimation, hcGetFrames, hcFramesDone}));
    EXPECT_TRUE(VisibleWindows(kEditorTitle).empty());
}

}  // namespace
}  // namespace kavrell::test

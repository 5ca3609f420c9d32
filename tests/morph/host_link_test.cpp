#include "morph/host_link.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "morph/editor_model.h"
#include "morph/messages.h"
#include "support/fake_host.h"
#include "support/recording_dialog.h"
#include "support/test_images.h"

namespace kavrell {
namespace {

using test::FakeHost;
using test::GradientBitmap;
using test::RecordingDialog;
using test::SolidBitmap;

// A player that always saves.
class SavingPlayer : public SequencePlayer {
public:
    int32_t ShowModal(bool) override { return PlayerSaveAndExit; }
};

class HostLinkTest : public ::testing::Test {
protected:
    HostLinkTest() { link.SetCallback(host.Callback()); }

    // Shows the host's frames, then makes a mesh and saves a sequence.
    void ShowAndSave(int32_t frames, int32_t delay) {
        link.ShowHostFrames();
        model.AttachPlayer(&player);
        model.SetMeshColumns(2);
        model.SetMeshRows(1);
        model.CommonButtonsClick(TagNewMesh);
        model.SetFrameCount(frames);
        model.SetDelay(delay);
        model.CommonButtonsClick(TagExecute);
    }

    const Bitmap source = GradientBitmap(37, 23);  // odd width: padded rows
    const Bitmap destination = SolidBitmap(37, 23, 200, 30, 90);
    RecordingDialog dialog;
    FakeHost host;
    EditorModel model;
    HostLink link{model};
    SavingPlayer player;
};

TEST_F(HostLinkTest, TheRecordStartsZeroFilled) {
    HostFrameRecord zero{};
    std::memset(&zero, 0, sizeof zero);
    EXPECT_EQ(std::memcmp(&link.Record(), &zero, sizeof zero), 0);
}

struct FetchCase {
    std::string name;
    bool hasNext;
    int32_t nextWidth, nextHeight;
    const char* label;
};

class HostFetchTest : public HostLinkTest, public ::testing::WithParamInterface<FetchCase> {};

TEST_P(HostFetchTest, CopiesTheHostsFramesBetweenFiveAndSix) {
    const FetchCase& c = GetParam();
    const Bitmap next = c.hasNext ? SolidBitmap(c.nextWidth, c.nextHeight, 10, 220, 40) : Bitmap{};
    host.GiveFrames(source, c.hasNext ? &next : nullptr);
    link.ShowHostFrames();

    EXPECT_EQ(host.Commands(), (std::vector<int32_t>{hcGetFrames, hcFramesDone}));
    EXPECT_TRUE(dialog.shown.empty());
    // The host overwrote its buffers at 6: the views hold copies made before.
    EXPECT_EQ(model.View(ViewId::Left).Image(), source);
    const Bitmap& right = model.View(ViewId::Right).Image();
    if (c.hasNext && c.nextWidth == source.Width() && c.nextHeight == source.Height()) {
        EXPECT_EQ(right, next);
    } else if (c.hasNext) {
        EXPECT_EQ(right.Width(), source.Width());
        EXPECT_EQ(right.Height(), source.Height());
        EXPECT_EQ(right.Pixel(3, 3)[1], 220);
    } else {
        EXPECT_EQ(right, source);
    }
    EXPECT_EQ(model.ModeLabel(), c.label);
    EXPECT_EQ(model.Warp()->warpOnly, !c.hasNext);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostFetchTest,
                         ::testing::Values(FetchCase{"NextFrame", true, 37, 23, "Full morphing mode"},
                                           FetchCase{"NoNextFrame", false, 0, 0, "Warp only mode"},
                                           FetchCase{"NextOfAnotherSize", true, 64, 10,
                                                     "Full morphing mode"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(HostLinkTest, ABottomUpHostBitmapIsCopiedRowByRow) {
    // A host holding its rows bottom-up passes the top row's address and a
    // negative step, as the plug-in does with its own frames.
    const HostBitmap view = ViewAsHostBitmap(source);
    EXPECT_LT(view.RowStep, 0);
    EXPECT_EQ(view.TopRow, source.ScanLine(0));
    Bitmap copy;
    ASSERT_TRUE(CopyHostBitmap(&view, copy));
    EXPECT_EQ(copy, source);
}

struct RefusalCase {
    std::string name;
    bool current;  // the current frame is the malformed one, else the next
    int32_t width, height, format;
    bool nullPixels;
    ptrdiff_t rowStep;  // 0: 3 x width
};

class HostRefusalTest : public HostLinkTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(HostRefusalTest, AMalformedBitmapShowsMessageOneAndCountsAsAbsent) {
    const RefusalCase& c = GetParam();
    static const uint8_t pixels[64] = {};
    const HostBitmap bad{c.width,
                         c.height,
                         c.format,
                         0,
                         c.nullPixels ? nullptr : pixels,
                         c.rowStep ? c.rowStep : 3 * ptrdiff_t(c.width)};
    host.GiveFrames(source, &destination);
    (c.current ? host.rawCurrent : host.rawNext) = bad;

    Bitmap untouched = SolidBitmap(2, 2, 1, 2, 3);
    EXPECT_FALSE(CopyHostBitmap(&bad, untouched));
    EXPECT_EQ(untouched, SolidBitmap(2, 2, 1, 2, 3));

    link.ShowHostFrames();
    EXPECT_EQ(host.Commands(), (std::vector<int32_t>{hcGetFrames, hcFramesDone}));
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].code, kMsgAnimationModeOff);
    EXPECT_TRUE(model.View(c.current ? ViewId::Left : ViewId::Right).Image().Empty());
    EXPECT_FALSE(model.ImagesPresent());

    // The editor then behaves as without images: commands refuse with message 1.
    model.CommonButtonsClick(TagNewMesh);
    ASSERT_EQ(dialog.shown.size(), 2u);
    EXPECT_EQ(dialog.shown[1].code, kMsgAnimationModeOff);
}

constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr ptrdiff_t kMaxStep = std::numeric_limits<ptrdiff_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Cases, HostRefusalTest,
    ::testing::Values(RefusalCase{"ZeroWidth", true, 0, 4, hpfRgb24, false, 0},
                      RefusalCase{"NegativeHeight", true, 4, -1, hpfRgb24, false, 0},
                      RefusalCase{"UnknownFormat", true, 4, 4, 7, false, 0},
                      RefusalCase{"ZeroFormatOfAZeroFilledBitmap", false, 4, 4, 0, false, 0},
                      RefusalCase{"NoPixels", true, 4, 4, hpfRgb24, true, 0},
                      RefusalCase{"RowStepShorterThanARow", true, 4, 4, hpfRgb24, false, 11},
                      RefusalCase{"NegativeRowStepShorterThanARow", false, 4, 4, hpfRgb24, false, -11},
                      RefusalCase{"SmallestRowStep", true, 4, 4, hpfRgb24, false,
                                  std::numeric_limits<ptrdiff_t>::min()},
                      RefusalCase{"BufferBeyondAddressRange", true, 4, kMax32, hpfRgb24, false, kMaxStep / 2},
                      RefusalCase{"RowsTooWideForAnImage", false, kMax32 / 2, 1, hpfRgb24, false, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(HostLinkTest, AHostThatAnswersNothingLeavesTheEditorWithoutImages) {
    // The record is zero-filled, so an unanswered fetch reads null bitmaps.
    link.SetCallback([](int32_t, HostFrameRecord*) {});
    link.ShowHostFrames();
    ASSERT_EQ(dialog.shown.size(), 1u);
    EXPECT_EQ(dialog.shown[0].code, kMsgAnimationModeOff);
    EXPECT_FALSE(model.ImagesPresent());
}

struct HandOverCase {
    std::string name;
    bool warpOnly;
    int32_t frameNumberAtGet;
    int32_t renumberBy;
    int32_t frames, delay;
    int32_t command;
};

class HostHandOverTest : public HostLinkTest, public ::testing::WithParamInterface<HandOverCase> {};

TEST_P(HostHandOverTest, EveryFrameGoesToTheHostCountingOnFromTheRecord) {
    const HandOverCase& c = GetParam();
    host.GiveFrames(source, c.warpOnly ? nullptr : &destination);
    host.frameNumberAtGet = c.frameNumberAtGet;
    host.renumberBy = c.renumberBy;
    ShowAndSave(c.frames, c.delay);

    const FrameList& sequence = model.Sequence();
    ASSERT_GT(sequence.Count(), 0);
    ASSERT_EQ(host.calls.size(), 2u + size_t(sequence.Count()));
    int32_t expected = c.frameNumberAtGet;
    for (int32_t k = 0; k < sequence.Count(); ++k) {
        const FakeHost::Call& call = host.calls[2 + size_t(k)];
        expected = static_cast<int32_t>(static_cast<uint32_t>(expected) + 1u);  // the host's counter wraps
        EXPECT_EQ(call.command, c.command);
        EXPECT_EQ(call.frameNumber, expected) << "frame " << k;
        EXPECT_EQ(call.delayMs, 10 * c.delay);
        ASSERT_TRUE(call.frame.has_value());
        EXPECT_EQ(*call.frame, sequence.Frame(k)) << "frame " << k;
        expected += c.renumberBy;  // the host's own numbering stays in the record
    }
    EXPECT_EQ(link.Record().Bitmap, nullptr);  // no pointer outlives its call
    EXPECT_TRUE(model.CloseRequested());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostHandOverTest,
    ::testing::Values(HandOverCase{"FullMorphing", false, 0, 0, 4, 10, hcAddMorphFrame},
                      HandOverCase{"WarpOnly", true, 17, 0, 3, 7, hcAddWarpFrame},
                      HandOverCase{"HostRenumbers", false, -5, 100, 2, 0, hcAddMorphFrame},
                      HandOverCase{"CounterWraps", false, kMax32, 0, 2, 1, hcAddMorphFrame}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace kavrell

#include "morph/editor_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "morph/messages.h"
#include "support/recording_dialog.h"
#include "support/test_images.h"

namespace kavrell {
namespace {

using test::GradientBitmap;
using test::RecordingDialog;
using test::SolidBitmap;

// The player window: answers as told and remembers how it was shown.
class FakePlayer : public SequencePlayer {
public:
    explicit FakePlayer(const FrameList& frames) : frames_(frames) {}
    int32_t ShowModal(bool preview) override {
        shownWithPreview.push_back(preview);
        framesShown = frames_.Count();
        return answer;
    }
    int32_t answer = PlayerClosed;
    std::vector<bool> shownWithPreview;
    int32_t framesShown = 0;

private:
    const FrameList& frames_;
};

struct HandedFrame {
    int32_t command;
    Bitmap bitmap;
    int32_t frameNumber;
    int32_t delayMs;
};

// The host: keeps a copy of everything handed over.
class FakeHost : public FrameHandOver {
public:
    void AddFrame(int32_t command, const Bitmap& bitmap, int32_t frameNumber, int32_t delayMs) override {
        frames.push_back({command, bitmap, frameNumber, delayMs});
    }
    std::vector<HandedFrame> frames;
};

// A model shown with two 60 x 40 images, with a player and a host attached.
// A 1 x 1 mesh on them has its one node at (30, 20).
class EditorModelTest : public ::testing::Test {
protected:
    EditorModelTest() {
        model.AttachPlayer(&player);
        model.AttachHost(&host);
        model.SetPageListener([this](NotebookPage page) { pages.push_back(page); });
        model.SetBusyListener([this](bool busy) { busyStates.push_back(busy); });
    }

    void Show(bool warpOnly = false) { model.Show(source, warpOnly ? nullptr : &destination); }

    void CreateMesh(int32_t cols, int32_t rows) {
        model.SetMeshColumns(cols);
        model.SetMeshRows(rows);
        model.CommonButtonsClick(TagNewMesh);
    }

    // Press, move and release in one view, as a drag of the mouse does.
    void Stroke(ViewId view, Point32 from, Point32 to) {
        model.MouseDown(view, from.x, from.y);
        model.MouseMove(view, to.x, to.y);
        model.MouseUp(view, to.x, to.y);
    }

    const WarpObjStru& Warp() const { return *model.Warp(); }

    const Bitmap source = GradientBitmap(60, 40);
    const Bitmap destination = SolidBitmap(60, 40, 200, 30, 90);
    EditorModel model;
    FakePlayer player{model.Sequence()};
    FakeHost host;
    RecordingDialog dialog;
    std::vector<NotebookPage> pages;
    std::vector<bool> busyStates;
};

// The control points of two records agree: mesh, polylines and counts.
bool SameControlPoints(const WarpObjStru& a, const WarpObjStru& b) {
    return a.meshCols == b.meshCols && a.meshRows == b.meshRows && a.pointCount == b.pointCount &&
           std::memcmp(a.srcNodes, b.srcNodes, sizeof a.srcNodes) == 0 &&
           std::memcmp(a.dstNodes, b.dstNodes, sizeof a.dstNodes) == 0 &&
           std::memcmp(a.srcPoints, b.srcPoints, sizeof a.srcPoints) == 0 &&
           std::memcmp(a.dstPoints, b.dstPoints, sizeof a.dstPoints) == 0;
}

std::vector<int32_t> ShownCodes(const RecordingDialog& dialog) {
    std::vector<int32_t> codes;
    for (const DialogRequest& request : dialog.shown) codes.push_back(request.code);
    return codes;
}

// ---------------------------------------------------------------------------
// Show

struct ShowCase {
    std::string name;
    bool hasNext;
    int32_t nextWidth, nextHeight;
    const char* label;
};

class ShowTest : public EditorModelTest, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(ShowTest, TheHostsFramesSetTheModeAndTheRightImage) {
    const ShowCase& c = GetParam();
    const Bitmap next = SolidBitmap(c.nextWidth, c.nextHeight, 10, 200, 30);
    model.Show(source, c.hasNext ? &next : nullptr);

    EXPECT_EQ(model.ModeLabel(), c.label);
    EXPECT_EQ(Warp().warpOnly, !c.hasNext);
    EXPECT_EQ(model.View(ViewId::Left).Image(), source);
    const Bitmap& right = model.View(ViewId::Right).Image();
    EXPECT_EQ(right.Width(), source.Width());
    EXPECT_EQ(right.Height(), source.Height());
    if (c.hasNext) {
        EXPECT_EQ(right.Pixel(5, 5)[1], 200);  // the next frame, resampled where needed
    } else {
        EXPECT_EQ(right, source);
    }

    // The rest of a fresh invocation: mesh page and method, nothing placed,
    // add mode, both cross-hairs and the counters at their start.
    EXPECT_EQ(model.Page(), NotebookPage::Mesh);
    EXPECT_EQ(model.Method(), WarpMethod::Mesh);
    EXPECT_FALSE(HasControlPoints(Warp()));
    EXPECT_STREQ(model.AddButtonCaption(), "Add pts.");
    EXPECT_EQ(model.UsedLabel(), "0");
    EXPECT_EQ(model.FreeLabel(), "1000");
    EXPECT_EQ(model.Cursor(ViewId::Left), ViewCursor::CrossHair);
    EXPECT_EQ(model.Cursor(ViewId::Right), ViewCursor::CrossHair);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShowTest,
                         ::testing::Values(ShowCase{"NoNextFrame", false, 60, 40, "Warp only mode"},
                                           ShowCase{"NextFrame", true, 60, 40, "Full morphing mode"},
                                           ShowCase{"NextFrameOfAnotherSize", true, 90, 20,
                                                    "Full morphing mode"}),
                         [](const ::testing::TestParamInfo<ShowCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Refusals

struct RefusalCase {
    std::string name;
    bool shown;  // the model has its images
    int32_t methodTag;
    int32_t generateTag;
    int32_t message;
};

class RefusalTest : public EditorModelTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, GeneratingWithoutImagesOrControlPointsShowsTheMessageAndNothingElse) {
    const RefusalCase& c = GetParam();
    if (c.shown) Show();
    // The other method has control points; they do not count.
    if (c.shown && c.methodTag == TagField) CreateMesh(2, 2);
    model.CommonButtonsClick(c.methodTag);
    busyStates.clear();
    pages.clear();

    model.CommonButtonsClick(c.generateTag);
    EXPECT_EQ(ShownCodes(dialog), std::vector<int32_t>{c.message});
    EXPECT_TRUE(player.shownWithPreview.empty());
    EXPECT_TRUE(host.frames.empty());
    EXPECT_EQ(model.Sequence().Count(), 0);
    EXPECT_TRUE(busyStates.empty());
    EXPECT_TRUE(pages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusalTest,
    ::testing::Values(RefusalCase{"MeshExecute", true, TagMesh, TagExecute, kMsgNoControlPoints},
                      RefusalCase{"MeshPreview", true, TagMesh, TagPreview, kMsgNoControlPoints},
                      RefusalCase{"FieldExecute", true, TagField, TagExecute, kMsgNoControlPoints},
                      RefusalCase{"FieldPreview", true, TagField, TagPreview, kMsgNoControlPoints},
                      RefusalCase{"NoImages", false, TagMesh, TagExecute, kMsgAnimationModeOff}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Field lines and their counters

TEST_F(EditorModelTest, LineBreakWithoutPointsDoesNothingAndTwiceAddsOneBreak) {
    Show();
    model.CommonButtonsClick(TagField);
    model.CommonButtonsClick(TagLineBreak);
    EXPECT_EQ(Warp().pointCount, 0);

    Stroke(ViewId::Left, {10, 10}, {20, 15});
    model.CommonButtonsClick(TagLineBreak);
    model.CommonButtonsClick(TagLineBreak);
    EXPECT_EQ(Warp().pointCount, 3);
    Stroke(ViewId::Right, {40, 30}, {50, 35});
    EXPECT_EQ(Warp().pointCount, 5);
    EXPECT_FALSE(HoldsPoint(Warp().srcPoints[2]));
    EXPECT_EQ(Warp().srcPoints[3], (Point32{40, 30}));
    EXPECT_EQ(Warp().dstPoints[4], (Point32{50, 35}));
    EXPECT_EQ(model.UsedLabel(), "5");
    EXPECT_EQ(model.FreeLabel(), "995");
}

TEST_F(EditorModelTest, AFieldPressInMoveModeAddsNothingButRefreshesUsedAndFree) {
    Show();
    model.CommonButtonsClick(TagField);
    Stroke(ViewId::Left, {10, 10}, {20, 15});
    model.CommonButtonsClick(TagLineBreak);  // counts a slot; the labels stay
    EXPECT_EQ(model.UsedLabel(), "2");

    model.CommonButtonsClick(TagFieldAdd);
    EXPECT_FALSE(model.AddMode());
    EXPECT_STREQ(model.AddButtonCaption(), "Move pts.");
    model.MouseDown(ViewId::Left, 100, 100);
    EXPECT_EQ(Warp().pointCount, 3);
    EXPECT_EQ(model.UsedLabel(), "3");
    EXPECT_EQ(model.FreeLabel(), "997");
    model.CommonButtonsClick(TagFieldAdd);
    EXPECT_STREQ(model.AddButtonCaption(), "Add pts.");
    EXPECT_TRUE(Warp().addMode);
}

struct ClearCase {
    std::string name;
    int32_t tag;
    WarpMethod cleared;
};

class ClearTest : public EditorModelTest, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(ClearTest, NoKeepsEveryPointAndYesClearsOnlyTheMethodsOwn) {
    const ClearCase& c = GetParam();
    Show();
    CreateMesh(3, 2);
    model.CommonButtonsClick(TagField);
    Stroke(ViewId::Left, {10, 10}, {20, 15});
    const auto before = std::make_unique<WarpObjStru>(Warp());

    dialog.Answer(DialogResult::No);
    model.CommonButtonsClick(c.tag);
    EXPECT_EQ(ShownCodes(dialog), std::vector<int32_t>{kMsgConfirmClear});
    EXPECT_TRUE(SameControlPoints(*before, Warp()));
    EXPECT_EQ(model.UsedLabel(), "2");

    dialog.Answer(DialogResult::Yes);
    model.CommonButtonsClick(c.tag);
    EXPECT_EQ(HasMesh(Warp()), c.cleared != WarpMethod::Mesh);
    EXPECT_EQ(Warp().pointCount, c.cleared == WarpMethod::Field ? 0 : 2);
    EXPECT_EQ(model.UsedLabel(), c.cleared == WarpMethod::Field ? "0" : "2");
}

INSTANTIATE_TEST_SUITE_P(Cases, ClearTest,
                         ::testing::Values(ClearCase{"Mesh", TagClearMesh, WarpMethod::Mesh},
                                           ClearCase{"Field", TagFieldClear, WarpMethod::Field}),
                         [](const ::testing::TestParamInfo<ClearCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Generate and offer

TEST_F(EditorModelTest, APreviewClosedWithoutSavingHandsNothingOverAndKeepsThePoints) {
    Show();
    CreateMesh(1, 1);
    model.MouseMove(ViewId::Right, 30, 20);
    Stroke(ViewId::Right, {30, 20}, {35, 24});
    const auto before = std::make_unique<WarpObjStru>(Warp());

    player.answer = PlayerClosed;
    model.CommonButtonsClick(TagPreview);
    EXPECT_EQ(player.shownWithPreview, std::vector<bool>{true});
    EXPECT_GT(player.framesShown, 0);
    EXPECT_TRUE(host.frames.empty());
    EXPECT_FALSE(model.CloseRequested());
    EXPECT_TRUE(SameControlPoints(*before, Warp()));
    EXPECT_EQ(model.Sequence().Count(), player.framesShown);  // the frames stay
    EXPECT_EQ(model.Page(), NotebookPage::Mesh);
}

struct HandOverCase {
    std::string name;
    bool warpOnly;
    int32_t frames;
    int32_t delay;
    int32_t firstFrameNumber;  // the host record's value before the hand-over
    int32_t command;
};

class HandOverTest : public EditorModelTest, public ::testing::WithParamInterface<HandOverCase> {};

TEST_P(HandOverTest, SavingHandsEveryFrameToTheHostAndAsksToClose) {
    const HandOverCase& c = GetParam();
    Show(c.warpOnly);
    model.CommonButtonsClick(TagField);
    Stroke(ViewId::Left, {10, 10}, {50, 30});
    model.CommonButtonsClick(TagFieldAdd);
    model.MouseMove(ViewId::Right, 50, 30);
    Stroke(ViewId::Right, {50, 30}, {45, 20});
    model.SetFrameCount(c.frames);
    model.SetDelay(c.delay);
    model.SetFrameNumber(c.firstFrameNumber);
    pages.clear();
    busyStates.clear();

    player.answer = PlayerSaveAndExit;
    model.CommonButtonsClick(TagExecute);
    EXPECT_EQ(player.shownWithPreview, std::vector<bool>{false});
    EXPECT_TRUE(dialog.shown.empty());
    // Generation ran on the progress page with the hourglass, then went back.
    EXPECT_EQ(pages, (std::vector<NotebookPage>{NotebookPage::Progress, NotebookPage::Field}));
    EXPECT_EQ(busyStates, (std::vector<bool>{true, false}));

    const FrameList& sequence = model.Sequence();
    ASSERT_EQ(sequence.Count(), c.frames);
    ASSERT_EQ(static_cast<int32_t>(host.frames.size()), c.frames);
    for (int32_t k = 0; k < c.frames; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(host.frames[k].command, c.command);
        EXPECT_EQ(host.frames[k].frameNumber, c.firstFrameNumber + k + 1);
        EXPECT_EQ(host.frames[k].delayMs, 10 * c.delay);
        EXPECT_EQ(host.frames[k].bitmap, sequence.Frame(k));
    }
    EXPECT_EQ(model.FrameNumber(), c.firstFrameNumber + c.frames);
    EXPECT_TRUE(model.CloseRequested());
}

INSTANTIATE_TEST_SUITE_P(Cases, HandOverTest,
                         ::testing::Values(HandOverCase{"FullMorphing", false, 12, 10, 0, hcAddMorphFrame},
                                           HandOverCase{"WarpOnly", true, 5, 7, 41, hcAddWarpFrame},
                                           HandOverCase{"NoDelay", false, 3, 0, -2, hcAddMorphFrame}),
                         [](const ::testing::TestParamInfo<HandOverCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Cursors

struct CursorCase {
    std::string name;
    WarpMethod method;
    bool moveMode;    // field method: "Move pts."
    bool pressFirst;  // a press after the first move, so the second one drags
    Point32 first, second;
    ViewCursor afterFirst, afterSecond;
};

class CursorTest : public EditorModelTest, public ::testing::WithParamInterface<CursorCase> {};

TEST_P(CursorTest, HoverShowsTheHandOverAPointAndADragTheCrossHair) {
    const CursorCase& c = GetParam();
    Show();
    if (c.method == WarpMethod::Mesh) {
        CreateMesh(1, 1);  // the node at (30, 20)
    } else {
        model.CommonButtonsClick(TagField);
        Stroke(ViewId::Left, {30, 20}, {50, 30});  // points at (30, 20) and (50, 30)
        if (c.moveMode) model.CommonButtonsClick(TagFieldAdd);
    }
    EXPECT_EQ(model.MouseMove(ViewId::Right, c.first.x, c.first.y), c.afterFirst);
    if (c.pressFirst) model.MouseDown(ViewId::Right, c.first.x, c.first.y);
    EXPECT_EQ(model.MouseMove(ViewId::Right, c.second.x, c.second.y), c.afterSecond);
    EXPECT_EQ(model.Cursor(ViewId::Right), c.afterSecond);
    EXPECT_EQ(model.Cursor(ViewId::Left), ViewCursor::CrossHair);
    if (c.pressFirst) {
        // A drag moves the point hovered before the press, in the destination
        // only; a press beside every point drags nothing.
        const bool mesh = c.method == WarpMethod::Mesh;
        const Point32 dragged = mesh ? Warp().dstNodes[1][1] : Warp().dstPoints[0];
        const Point32 untouched{30, 20};
        EXPECT_EQ(dragged, c.afterFirst == ViewCursor::HandPoint ? c.second : untouched);
        EXPECT_EQ(mesh ? Warp().srcNodes[1][1] : Warp().srcPoints[0], untouched);
    }
}

constexpr auto kHand = ViewCursor::HandPoint;
constexpr auto kCross = ViewCursor::CrossHair;

INSTANTIATE_TEST_SUITE_P(
    Cases, CursorTest,
    ::testing::Values(
        CursorCase{"MeshHoverOnAndOff", WarpMethod::Mesh, false, false, {39, 11}, {40, 20}, kHand, kCross},
        CursorCase{"MeshDrag", WarpMethod::Mesh, false, true, {31, 21}, {5, 6}, kHand, kCross},
        CursorCase{"MeshPressBesideANodeDragsNothing",
                   WarpMethod::Mesh,
                   false,
                   true,
                   {0, 0},
                   {30, 20},
                   kCross,
                   kCross},
        CursorCase{
            "FieldAddModeNeverHits", WarpMethod::Field, false, false, {30, 20}, {50, 30}, kCross, kCross},
        CursorCase{"FieldMoveModeHover", WarpMethod::Field, true, false, {50, 30}, {45, 45}, kHand, kCross},
        CursorCase{"FieldMoveModeDrag", WarpMethod::Field, true, true, {25, 24}, {8, 9}, kHand, kCross}),
    [](const ::testing::TestParamInfo<CursorCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// View buttons

TEST_F(EditorModelTest, ViewButtonsAskTheirViewAndTheCentreButtonsToggle) {
    EXPECT_EQ(model.CommonButtonsClick(TagZoomInLeft), std::nullopt);  // no image yet
    EXPECT_FALSE(model.CenterDown(ViewId::Left));
    Show();
    const std::vector<std::pair<int32_t, ViewRequest>> table = {
        {TagCenterLeft, {ViewId::Left, ViewAction::Center, true}},
        {TagCenterLeft, {ViewId::Left, ViewAction::Center, false}},
        {TagFitLeft, {ViewId::Left, ViewAction::Fit}},
        {TagZoomInLeft, {ViewId::Left, ViewAction::ZoomIn}},
        {TagZoomOutLeft, {ViewId::Left, ViewAction::ZoomOut}},
        {TagCenterRight, {ViewId::Right, ViewAction::Center, true}},
        {TagFitRight, {ViewId::Right, ViewAction::Fit}},
        {TagZoomInRight, {ViewId::Right, ViewAction::ZoomIn}},
        {TagZoomOutRight, {ViewId::Right, ViewAction::ZoomOut}},
    };
    for (const auto& [tag, request] : table) {
        SCOPED_TRACE(tag);
        EXPECT_EQ(model.CommonButtonsClick(tag), request);
    }
    EXPECT_TRUE(model.CenterDown(ViewId::Right));
    EXPECT_FALSE(model.CenterDown(ViewId::Left));
    EXPECT_EQ(model.CommonButtonsClick(99), std::nullopt);
}

}  // namespace
}  // namespace kavrell

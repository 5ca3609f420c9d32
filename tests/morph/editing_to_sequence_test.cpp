// From an editing session to a generated sequence, headless: the record is
// built only through the editing operations, as the editor and the command
// line build it.

#include <gtest/gtest.h>

#include <utility>

#include "morph/field_editing.h"
#include "morph/mesh_editing.h"
#include "morph/sequence_driver.h"
#include "morph/session_setup.h"
#include "platform/image_processor.h"
#include "support/editing_gestures.h"
#include "support/generation_session.h"
#include "support/recording_dialog.h"
#include "support/test_images.h"

namespace kavrell {
namespace {

using test::GradientBitmap;
using test::MaxChannelDifference;
using test::RecordingDialog;
using test::SolidBitmap;

TEST(BeginSessionTest, StartsAFreshRecordWithHiddenCursorMarkers) {
    ImageView left;
    ImageView right;
    left.Image() = GradientBitmap(64, 48);
    right.Image() = SolidBitmap(64, 48, 10, 20, 30);
    MorphSession session;
    session.WarpScale = 0.25;
    BeginSession(session, left, right, true);

    ASSERT_NE(session.WarpObj, nullptr);
    const WarpObjStru& warp = *session.WarpObj;
    EXPECT_TRUE(warp.warpOnly);
    EXPECT_EQ(warp.method, WarpMethod::Mesh);
    EXPECT_EQ(warp.meshCols, 0);
    EXPECT_EQ(warp.pointCount, 0);
    EXPECT_TRUE(warp.addMode);
    EXPECT_FALSE(warp.moveBoth);
    EXPECT_EQ(session.VectLeft, &left);
    EXPECT_EQ(session.VectRight, &right);
    EXPECT_EQ(session.ImageWidth, 64);
    EXPECT_EQ(session.ImageHeight, 48);
    EXPECT_EQ(session.PreviewSize, 200.0);
    EXPECT_EQ(session.WarpScale, 1.0);

    const std::pair<ImageView*, ObjectHandle> markers[] = {{&left, warp.leftCursorMarker},
                                                           {&right, warp.rightCursorMarker}};
    for (const auto& [view, marker] : markers) {
        const VectorLayer& layer = view->Layer();
        ASSERT_EQ(layer.ObjectsCount(), 1);
        ASSERT_TRUE(layer.HasObject(marker));
        EXPECT_EQ(layer.GetObjKind(marker), ObjKind::Ellipse);
        EXPECT_EQ(layer.GetObjLeft(marker), 0);
        EXPECT_EQ(layer.GetObjTop(marker), 0);
        EXPECT_EQ(layer.GetObjWidth(marker), 20);
        EXPECT_EQ(layer.GetObjHeight(marker), 20);
        EXPECT_EQ(layer.GetObjPenColor(marker), kAqua);
        EXPECT_EQ(layer.GetObjStyle(marker), kStyleNone);
    }
}

TEST(BeginSessionTest, ResamplesTheDestinationToTheSourceSize) {
    ImageView left;
    ImageView right;
    left.Image() = GradientBitmap(64, 48);
    const Bitmap original = GradientBitmap(30, 70);
    right.Image() = original;
    MorphSession session;
    BeginSession(session, left, right, false);
    Bitmap expected;
    ResampleTo(original, expected, 64, 48);
    EXPECT_EQ(right.Image(), expected);
    EXPECT_EQ(left.Image(), GradientBitmap(64, 48));
    EXPECT_EQ(session.ImageWidth, 64);
    EXPECT_EQ(session.ImageHeight, 48);

    // An absent destination stays absent rather than becoming a black image.
    right.Image() = Bitmap();
    BeginSession(session, left, right, false);
    EXPECT_TRUE(right.Image().Empty());
    EXPECT_FALSE(session.ImagesPresent());
}

TEST(BeginSessionTest, AnotherSessionOnTheSameViewsStartsWithOnlyItsOwnObjects) {
    ImageView left;
    ImageView right;
    left.Image() = GradientBitmap(64, 48);
    right.Image() = GradientBitmap(64, 48);
    MorphSession session;
    BeginSession(session, left, right, false);
    CreateMesh(session, 3, 3);
    const ObjectHandle oldCursor = session.WarpObj->leftCursorMarker;
    BeginSession(session, left, right, false);
    EXPECT_EQ(left.Layer().ObjectsCount(), 1);
    EXPECT_EQ(right.Layer().ObjectsCount(), 1);
    EXPECT_NE(session.WarpObj->leftCursorMarker, oldCursor);
    EXPECT_EQ(session.WarpObj->meshCols, 0);
}

// Two different images in full morphing mode, edited and then generated. The
// views, frame list and gauge come from the helper; BeginSession sets the
// session up the way the editor does.
class EditingToSequenceTest : public ::testing::Test, public test::GenerationSession {
protected:
    void SetUp() override {
        left.Image() = GradientBitmap(64, 48);
        right.Image() = SolidBitmap(64, 48, 200, 40, 90);
        BeginSession(session, left, right, false);
    }

    // Frame 0 is the source, the last the destination, and every frame in
    // between is a blend that matches neither.
    void ExpectFullMorph(int32_t frameCount) {
        ASSERT_EQ(frames.Count(), frameCount);
        EXPECT_EQ(frames.Frame(0), left.Image());
        EXPECT_EQ(frames.Frame(frameCount - 1), right.Image());
        for (int32_t index = 1; index < frameCount - 1; ++index) {
            EXPECT_GT(MaxChannelDifference(frames.Frame(index), left.Image()), 0) << index;
            EXPECT_GT(MaxChannelDifference(frames.Frame(index), right.Image()), 0) << index;
        }
        EXPECT_EQ(gauge.Progress(), 100);
    }

    RecordingDialog dialog;
};

TEST_F(EditingToSequenceTest, AnEditedMeshGeneratesAFullMorph) {
    CreateMesh(session, 3, 2);
    // Node [2][1] sits at (32, 16); move it in the destination only.
    ASSERT_NO_FATAL_FAILURE(test::DragMeshNode(session, right, {32, 16}, {38, 20}));
    ASSERT_EQ(Warp().dstNodes[2][1], (Point32{38, 20}));
    ASSERT_EQ(Warp().srcNodes[2][1], (Point32{32, 16}));

    EXPECT_TRUE(Generate(5));
    EXPECT_TRUE(dialog.shown.empty());
    ExpectFullMorph(5);
}

TEST_F(EditingToSequenceTest, EditedPolylinesGenerateAFullMorph) {
    Warp().method = WarpMethod::Field;
    test::FieldStroke(session, left, {10, 10}, {30, 12});
    test::FieldStroke(session, left, {30, 12}, {40, 30});
    LineBreak(session);
    test::FieldStroke(session, left, {15, 40}, {50, 38});
    ASSERT_EQ(Warp().pointCount, 6);

    // Move the middle point of the first polyline in the destination.
    Warp().addMode = false;
    ASSERT_NO_FATAL_FAILURE(test::DragFieldPoint(session, right, {30, 12}, {34, 18}));
    ASSERT_EQ(Warp().dstPoints[1], (Point32{34, 18}));
    ASSERT_EQ(Warp().srcPoints[1], (Point32{30, 12}));

    EXPECT_TRUE(Generate(5));
    EXPECT_TRUE(dialog.shown.empty());
    ExpectFullMorph(5);
}

}  // namespace
}  // namespace kavrell

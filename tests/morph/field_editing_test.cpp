#include "morph/field_editing.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "morph/mesh_editing.h"
#include "morph/method_markers.h"
#include "morph/session_setup.h"
#include "support/editing_gestures.h"
#include "support/layer_expectations.h"
#include "support/test_images.h"

namespace kavrell {
namespace {

using test::ExpectLineBetween;
using test::ExpectMarkerAt;
using test::GradientBitmap;
using test::Snapshot;

constexpr Point32 kEmpty{EmptySlot, 0};

class FieldEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        left.Image() = GradientBitmap(640, 480);
        right.Image() = GradientBitmap(640, 480);
        BeginSession(session, left, right, false);
    }

    WarpObjStru& Warp() { return *session.WarpObj; }

    // One add-mode stroke: press, drag through the middle, release.
    void Stroke(ImageView& view, Point32 from, Point32 to) {
        FieldPress(session, from.x, from.y, view);
        const auto middle = [](int32_t a, int32_t b) { return static_cast<int32_t>((int64_t{a} + b) / 2); };
        FieldDrag(session, middle(from.x, to.x), middle(from.y, to.y), view);
        FieldDrag(session, to.x, to.y, view);
        FieldRelease(session, to.x, to.y, view);
    }

    // One polyline of `points` points, its k-th point at (k, 2k), optionally
    // followed by a break.
    void DrawPolyline(int32_t points, bool thenBreak) {
        Stroke(left, {0, 0}, {1, 2});
        for (int32_t k = 2; k < points; ++k) Stroke(left, {k, 2 * k}, {k, 2 * k});
        if (thenBreak) LineBreak(session);
    }

    // The slots of both lists that hold points or breaks, as points.
    std::vector<Point32> UsedSlots(const Point32* points) {
        std::vector<Point32> slots;
        for (int32_t k = 0; k < Warp().pointCount; ++k) {
            slots.push_back(HoldsPoint(points[k]) ? points[k] : kEmpty);
        }
        return slots;
    }

    // Move mode: hover over a point, press, drag, release.
    void MovePoint(ImageView& view, Point32 from, Point32 to) {
        test::DragFieldPoint(session, view, from, to);
    }

    ImageView left;
    ImageView right;
    MorphSession session;
};

TEST_F(FieldEditingTest, TheFirstStrokeDrawsOneLineBetweenTwoPoints) {
    Stroke(left, {100, 100}, {200, 150});
    const std::vector<Point32> expected{{100, 100}, {200, 150}};
    EXPECT_EQ(UsedSlots(Warp().srcPoints), expected);
    EXPECT_EQ(UsedSlots(Warp().dstPoints), expected);
    EXPECT_EQ(Warp().pointCount, 2);
    EXPECT_EQ(FreeFieldSlots(Warp()), 998);
    EXPECT_FALSE(Warp().buttonDown);

    struct ViewLook {
        ImageView* view;
        ObjectHandle* lines;
        ObjectHandle* markers;
        Color pen;
        Color brush;
    };
    for (const ViewLook& look :
         {ViewLook{&left, Warp().leftSegLines, Warp().leftPointMarkers, kWhite, kBlue},
          ViewLook{&right, Warp().rightSegLines, Warp().rightPointMarkers, kYellow, kGreen}}) {
        const VectorLayer& layer = look.view->Layer();
        EXPECT_EQ(layer.ObjectsCount(), 4);  // line, two markers, cursor marker
        const ObjectHandle line = look.lines[0];
        ExpectLineBetween(*look.view, line, {100, 100}, {200, 150});
        EXPECT_EQ(layer.GetObjKind(line), ObjKind::Line);
        EXPECT_EQ(layer.GetObjPenColor(line), kRed);
        EXPECT_EQ(layer.GetObjStyle(line), kStyleVisible);
        EXPECT_EQ(layer.GetObjID(line), 0);
        EXPECT_TRUE(layer.IsSelObject(line));
        EXPECT_EQ(layer.GetObjFromIndex(0), line);  // at the back
        EXPECT_EQ(look.lines[1], EmptySlot);
        for (int32_t k = 0; k < 2; ++k) {
            const ObjectHandle marker = look.markers[k];
            ExpectMarkerAt(*look.view, marker, expected[k]);
            EXPECT_EQ(layer.GetObjKind(marker), ObjKind::Box);
            EXPECT_EQ(layer.GetObjWidth(marker), 10);
            EXPECT_EQ(layer.GetObjHeight(marker), 10);
            EXPECT_EQ(layer.GetObjPenColor(marker), look.pen);
            EXPECT_EQ(layer.GetObjBrushColor(marker), look.brush);
            EXPECT_EQ(layer.GetObjBrushStyle(marker), BrushStyle::Solid);
            EXPECT_EQ(layer.GetObjStyle(marker), kStyleVisible);
            EXPECT_EQ(layer.GetObjFromIndex(2 + k), marker);  // in front, in order of creation
        }
        EXPECT_EQ(look.markers[2], EmptySlot);
    }
}

TEST_F(FieldEditingTest, AStrokeInTheDestinationViewAddsToBothImagesAlike) {
    Stroke(right, {100, 100}, {200, 150});
    const std::vector<Point32> expected{{100, 100}, {200, 150}};
    EXPECT_EQ(UsedSlots(Warp().srcPoints), expected);
    EXPECT_EQ(UsedSlots(Warp().dstPoints), expected);
    ExpectLineBetween(left, Warp().leftSegLines[0], {100, 100}, {200, 150});
    ExpectLineBetween(right, Warp().rightSegLines[0], {100, 100}, {200, 150});
    EXPECT_EQ(Warp().rightPressX, 100);
    EXPECT_EQ(Warp().rightReleaseY, 150);
}

TEST_F(FieldEditingTest, FurtherStrokesContinueThePolylineAndABreakStartsANewOne) {
    Stroke(left, {100, 100}, {200, 150});
    Stroke(left, {180, 140}, {250, 80});
    EXPECT_EQ(Warp().pointCount, 3);
    EXPECT_EQ(Warp().srcPoints[2], (Point32{250, 80}));
    ExpectLineBetween(left, Warp().leftSegLines[0], {100, 100}, {200, 150});
    ExpectLineBetween(left, Warp().leftSegLines[1], {200, 150}, {250, 80});
    ExpectLineBetween(right, Warp().rightSegLines[1], {200, 150}, {250, 80});

    LineBreak(session);
    EXPECT_EQ(Warp().pointCount, 4);
    Stroke(left, {50, 50}, {60, 90});
    const std::vector<Point32> expected{{100, 100}, {200, 150}, {250, 80}, kEmpty, {50, 50}, {60, 90}};
    EXPECT_EQ(UsedSlots(Warp().srcPoints), expected);
    EXPECT_EQ(UsedSlots(Warp().dstPoints), expected);
    EXPECT_EQ(Warp().pointCount, 6);
    EXPECT_EQ(FreeFieldSlots(Warp()), 994);
    ExpectLineBetween(left, Warp().leftSegLines[4], {50, 50}, {60, 90});
    ExpectLineBetween(right, Warp().rightSegLines[4], {50, 50}, {60, 90});
    for (const int32_t k : {2, 3, 5}) {
        EXPECT_EQ(Warp().leftSegLines[k], EmptySlot) << k;
        EXPECT_EQ(Warp().rightSegLines[k], EmptySlot) << k;
    }
    EXPECT_EQ(Warp().leftPointMarkers[3], EmptySlot);
    EXPECT_EQ(left.Layer().ObjectsCount(), 3 + 5 + 1);
    EXPECT_EQ(right.Layer().ObjectsCount(), 3 + 5 + 1);
}

TEST_F(FieldEditingTest, LineBreakNeedsAPointToEnd) {
    LineBreak(session);
    EXPECT_EQ(Warp().pointCount, 0);
    Stroke(left, {10, 10}, {20, 20});
    LineBreak(session);
    LineBreak(session);
    EXPECT_EQ(Warp().pointCount, 3);
    EXPECT_EQ(Warp().srcPoints[2].x, EmptySlot);
    EXPECT_EQ(Warp().srcPoints[3].x, EmptySlot);
}

TEST_F(FieldEditingTest, MoveModeDragsTheHoveredPoint) {
    struct Case {
        bool fromSource;
        bool moveBoth;
        bool movesSource;
        bool movesDestination;
    };
    const Case cases[] = {{false, false, false, true},
                          {false, true, false, true},
                          {true, true, true, true},
                          {true, false, true, false}};
    const Point32 to{220, 170};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.fromSource ? "source" : "destination") << (c.moveBoth ? ", move both" : ""));
        ClearFieldLines(session);
        Warp().addMode = true;
        Stroke(left, {100, 100}, {200, 150});
        Stroke(left, {200, 150}, {250, 80});
        Warp().addMode = false;
        Warp().moveBoth = c.moveBoth;
        const std::vector<VectorObject> untouchedLeft = Snapshot(left, Warp().leftCursorMarker);
        const std::vector<VectorObject> untouchedRight = Snapshot(right, Warp().rightCursorMarker);

        MovePoint(c.fromSource ? left : right, {200, 150}, to);
        EXPECT_EQ(Warp().pointCount, 3);  // move mode adds nothing
        EXPECT_EQ(Warp().srcPoints[1], (c.movesSource ? to : Point32{200, 150}));
        EXPECT_EQ(Warp().dstPoints[1], (c.movesDestination ? to : Point32{200, 150}));
        if (c.movesSource) {
            ExpectMarkerAt(left, Warp().leftPointMarkers[1], to);
            ExpectLineBetween(left, Warp().leftSegLines[0], {100, 100}, to);
            ExpectLineBetween(left, Warp().leftSegLines[1], to, {250, 80});
        } else {
            EXPECT_EQ(Snapshot(left, Warp().leftCursorMarker), untouchedLeft);
        }
        if (c.movesDestination) {
            ExpectMarkerAt(right, Warp().rightPointMarkers[1], to);
            ExpectLineBetween(right, Warp().rightSegLines[0], {100, 100}, to);
            ExpectLineBetween(right, Warp().rightSegLines[1], to, {250, 80});
        } else {
            EXPECT_EQ(Snapshot(right, Warp().rightCursorMarker), untouchedRight);
        }
        // The aqua circle in the other view sits on the partner point.
        ImageView& other = c.fromSource ? right : left;
        const ObjectHandle cursor = c.fromSource ? Warp().rightCursorMarker : Warp().leftCursorMarker;
        const Point32 partner = c.fromSource ? Warp().dstPoints[1] : Warp().srcPoints[1];
        EXPECT_EQ(other.Layer().GetObjStyle(cursor), kStyleVisible);
        EXPECT_EQ(other.Layer().GetObjLeft(cursor), partner.x - 10);
        EXPECT_EQ(other.Layer().GetObjTop(cursor), partner.y - 10);
    }
}

TEST_F(FieldEditingTest, MovingTheEndsOfAPolylineRedrawsTheirLines) {
    Stroke(left, {100, 100}, {200, 150});
    Stroke(left, {200, 150}, {250, 80});
    LineBreak(session);
    Stroke(left, {300, 300}, {350, 320});
    Warp().addMode = false;
    MovePoint(left, {250, 80}, {260, 90});  // last point of the first polyline
    ExpectLineBetween(left, Warp().leftSegLines[1], {200, 150}, {260, 90});
    ExpectLineBetween(left, Warp().leftSegLines[4], {300, 300}, {350, 320});
    MovePoint(left, {300, 300}, {310, 305});  // first point of the second
    ExpectLineBetween(left, Warp().leftSegLines[4], {310, 305}, {350, 320});
    ExpectLineBetween(left, Warp().leftSegLines[1], {200, 150}, {260, 90});
    MovePoint(left, {100, 100}, {100, 150});  // slot 0, level with its neighbour
    ExpectLineBetween(left, Warp().leftSegLines[0], {100, 150}, {200, 150});
    EXPECT_EQ(left.Layer().GetObjHeight(Warp().leftSegLines[0]), 1);
}

TEST_F(FieldEditingTest, HoverSelectsWithinNinePixelsOnBothAxesAndOnlyInMoveMode) {
    struct Case {
        int32_t dx, dy;
        bool hit;
    };
    const Case cases[] = {{0, 0, true},   {9, 9, true},    {-9, -9, true},  {9, -9, true}, {10, 0, false},
                          {0, 10, false}, {-10, 0, false}, {0, -10, false}, {9, 10, false}};
    Stroke(left, {100, 100}, {200, 150});
    Warp().addMode = false;
    const ObjectHandle cursor = Warp().rightCursorMarker;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        ASSERT_TRUE(HitFieldPoint(session, 100, 100, left));  // leaves slot 0 selected
        EXPECT_EQ(HitFieldPoint(session, 200 + c.dx, 150 + c.dy, left), c.hit);
        EXPECT_EQ(left.Layer().GetObjID(Warp().leftPointMarkers[0]), c.hit ? 11 : 0);
        EXPECT_EQ(right.Layer().GetObjStyle(cursor), c.hit ? kStyleVisible : kStyleNone);
    }

    // In add mode a hover selects nothing and leaves the last feedback alone.
    ASSERT_TRUE(HitFieldPoint(session, 200, 150, left));
    Warp().addMode = true;
    EXPECT_FALSE(HitFieldPoint(session, 100, 100, left));
    EXPECT_FALSE(HitFieldPoint(session, 100, 100, right));
    EXPECT_EQ(left.Layer().GetObjID(Warp().leftPointMarkers[0]), 11);
    EXPECT_EQ(right.Layer().GetObjID(Warp().rightPointMarkers[0]), 0);
    EXPECT_EQ(right.Layer().GetObjStyle(cursor), kStyleVisible);
    EXPECT_EQ(right.Layer().GetObjLeft(cursor), 190);
}

TEST_F(FieldEditingTest, TheLowestSlotWithinReachWins) {
    Stroke(left, {100, 100}, {200, 150});
    Stroke(left, {104, 100}, {104, 100});
    Warp().addMode = false;
    ASSERT_TRUE(HitFieldPoint(session, 103, 100, left));  // slot 2 is nearer
    EXPECT_EQ(left.Layer().GetObjID(Warp().leftPointMarkers[0]), 10);
    EXPECT_EQ(right.Layer().GetObjLeft(Warp().rightCursorMarker), 90);
}

TEST_F(FieldEditingTest, APressInMoveModeAddsNothingAndWithoutHoverMovesNothing) {
    Stroke(left, {100, 100}, {200, 150});
    Warp().addMode = false;
    ASSERT_FALSE(HitFieldPoint(session, 400, 400, left));
    const std::vector<VectorObject> before = Snapshot(left);
    FieldPress(session, 400, 400, left);
    EXPECT_TRUE(Warp().buttonDown);
    EXPECT_EQ(Warp().leftPressX, 400);
    FieldDrag(session, 410, 410, left);
    FieldRelease(session, 410, 410, left);
    EXPECT_EQ(Warp().pointCount, 2);
    EXPECT_EQ(Snapshot(left), before);
}

TEST_F(FieldEditingTest, ClearingRemovesEveryPolylineAndTheNextPressStartsAtSlotZero) {
    Stroke(left, {100, 100}, {200, 150});
    Stroke(left, {200, 150}, {250, 80});
    LineBreak(session);
    Stroke(right, {50, 50}, {60, 90});
    ClearFieldLines(session);
    EXPECT_EQ(Warp().pointCount, 0);
    EXPECT_EQ(FreeFieldSlots(Warp()), 1000);
    for (ImageView* view : {&left, &right}) {
        ASSERT_EQ(view->Layer().ObjectsCount(), 1);  // the cursor marker stays
        EXPECT_EQ(view->Layer().GetObjKind(view->Layer().GetObjFromIndex(0)), ObjKind::Ellipse);
    }
    for (int32_t k = 0; k < FieldSlots; ++k) {
        ASSERT_FALSE(HoldsPoint(Warp().srcPoints[k])) << k;
        ASSERT_FALSE(HoldsPoint(Warp().dstPoints[k])) << k;
        ASSERT_EQ(Warp().leftSegLines[k], EmptySlot) << k;
        ASSERT_EQ(Warp().leftPointMarkers[k], EmptySlot) << k;
    }

    Stroke(left, {30, 40}, {70, 80});
    EXPECT_EQ(Warp().pointCount, 2);
    EXPECT_EQ(UsedSlots(Warp().srcPoints), (std::vector<Point32>{{30, 40}, {70, 80}}));
    ExpectLineBetween(left, Warp().leftSegLines[0], {30, 40}, {70, 80});
}

TEST_F(FieldEditingTest, SwitchingToTheMeshAndBackShowsTheSameLinesAndMarkers) {
    Stroke(left, {100, 100}, {200, 150});
    LineBreak(session);
    Stroke(left, {50, 50}, {60, 90});
    Warp().method = WarpMethod::Field;
    const std::vector<VectorObject> shownLeft = Snapshot(left);
    const std::vector<VectorObject> shownRight = Snapshot(right);
    ShowMethodMarkers(session, WarpMethod::Mesh);
    for (const VectorObject& object : Snapshot(left)) EXPECT_EQ(object.style, kStyleNone);
    ShowMethodMarkers(session, WarpMethod::Field);
    EXPECT_EQ(Snapshot(left), shownLeft);
    EXPECT_EQ(Snapshot(right), shownRight);
}

// The counter never passes 1000: a press that continues a polyline needs one
// free slot, one that starts a polyline needs two, a break needs one.
TEST_F(FieldEditingTest, TheCounterStopsAtTheLimit) {
    struct Case {
        int32_t points;
        bool thenBreak;
        int32_t afterPress;
        int32_t afterBreak;
    };
    const Case cases[] = {
        {999, false, 1000, 1000},   // continues into the last slot; then no break
        {1000, false, 1000, 1000},  // full: nothing more
        {997, true, 1000, 1000},    // starts a polyline in the last two slots
        {998, true, 999, 999},      // one slot left is too few to start one
        {998, false, 999, 1000},    // continue, then the break takes the last slot
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.points << (c.thenBreak ? " and a break" : ""));
        ClearFieldLines(session);
        DrawPolyline(c.points, c.thenBreak);
        ASSERT_EQ(Warp().pointCount, c.points + (c.thenBreak ? 1 : 0));
        Stroke(left, {500, 400}, {510, 410});
        EXPECT_EQ(Warp().pointCount, c.afterPress);
        LineBreak(session);
        EXPECT_EQ(Warp().pointCount, c.afterBreak);
        EXPECT_EQ(FreeFieldSlots(Warp()), 1000 - c.afterBreak);
        // Nothing was written past the count.
        for (int32_t k = Warp().pointCount; k < FieldSlots; ++k) {
            ASSERT_EQ(Warp().srcPoints[k].x, EmptySlot) << k;
            ASSERT_EQ(Warp().dstPoints[k].x, EmptySlot) << k;
            ASSERT_EQ(Warp().leftPointMarkers[k], EmptySlot) << k;
            ASSERT_EQ(Warp().leftSegLines[k], EmptySlot) << k;
        }
        EXPECT_EQ(Warp().leftSegLines[Warp().pointCount - 1], EmptySlot);
    }
}

TEST_F(FieldEditingTest, AtTheLimitTheHeldButtonStillDragsTheLastPoint) {
    DrawPolyline(1000, false);
    FieldPress(session, 500, 400, left);
    FieldDrag(session, 520, 430, left);
    FieldRelease(session, 520, 430, left);
    EXPECT_EQ(Warp().pointCount, 1000);
    EXPECT_EQ(Warp().srcPoints[999], (Point32{520, 430}));
    EXPECT_EQ(Warp().dstPoints[999], (Point32{520, 430}));
    ExpectLineBetween(left, Warp().leftSegLines[998], {998, 1996}, {520, 430});
}

TEST_F(FieldEditingTest, ATrailingBreakIsNeverDraggedAsAPoint) {
    DrawPolyline(999, true);  // the break lands in slot 999, the last one
    ASSERT_EQ(Warp().pointCount, 1000);
    const std::vector<VectorObject> before = Snapshot(left);
    FieldPress(session, 300, 300, left);
    FieldDrag(session, 310, 310, left);
    FieldRelease(session, 310, 310, left);
    EXPECT_EQ(Warp().pointCount, 1000);
    EXPECT_EQ(Warp().srcPoints[999].x, EmptySlot);
    EXPECT_EQ(Warp().dstPoints[999].x, EmptySlot);
    EXPECT_EQ(Snapshot(left), before);
}

TEST_F(FieldEditingTest, APointNeverReadsAsABreak) {
    Stroke(left, {100, 100}, {EmptySlot + 5, 150});
    EXPECT_TRUE(HoldsPoint(Warp().srcPoints[1]));
    EXPECT_TRUE(HoldsPoint(Warp().dstPoints[1]));
    EXPECT_EQ(Warp().srcPoints[1].x, EmptySlot - 1);
    Stroke(left, {std::numeric_limits<int32_t>::max(), -50}, {std::numeric_limits<int32_t>::max(), -60});
    EXPECT_EQ(Warp().pointCount, 3);  // continued the polyline
    EXPECT_EQ(Warp().srcPoints[2], (Point32{EmptySlot - 1, -60}));
    // Far past the top edge, coordinates are kept as they are.
    Stroke(left, {0, 0}, {-40, std::numeric_limits<int32_t>::min()});
    EXPECT_EQ(Warp().srcPoints[3], (Point32{-40, std::numeric_limits<int32_t>::min()}));
}

// The editor never calls these in such states; they must still stay within the
// lists and change nothing.
TEST_F(FieldEditingTest, OperationsOutOfTurnChangeNothing) {
    MorphSession empty;
    ImageView stray;
    FieldPress(empty, 1, 1, stray);
    FieldDrag(empty, 1, 1, stray);
    FieldRelease(empty, 1, 1, stray);
    EXPECT_FALSE(HitFieldPoint(empty, 1, 1, stray));
    RefreshFieldPoint(empty, 0, nullptr, stray);
    LineBreak(empty);
    ClearFieldLines(empty);
    EXPECT_EQ(stray.Layer().ObjectsCount(), 0);

    // No points.
    Warp().addMode = false;
    EXPECT_FALSE(HitFieldPoint(session, 0, 0, left));
    FieldDrag(session, 5, 5, left);
    Warp().addMode = true;
    FieldDrag(session, 5, 5, left);
    FieldRelease(session, 5, 5, left);
    RefreshFieldPoint(session, 0, Warp().srcPoints, left);
    EXPECT_EQ(left.Layer().ObjectsCount(), 1);
    EXPECT_EQ(Warp().pointCount, 0);

    Stroke(left, {100, 100}, {200, 150});
    LineBreak(session);
    Stroke(left, {300, 300}, {350, 320});
    const std::vector<VectorObject> before = Snapshot(left);
    const std::vector<Point32> sourceSlots = UsedSlots(Warp().srcPoints);
    const std::vector<Point32> destinationSlots = UsedSlots(Warp().dstPoints);
    // Slots without a point: the break, past the count, outside the lists.
    for (const int32_t k : {2, 5, 6, -1, 1023, 1024, std::numeric_limits<int32_t>::max()}) {
        RefreshFieldPoint(session, k, Warp().srcPoints, left);
    }
    // A view that is neither of the session's.
    FieldPress(session, 7, 7, stray);
    EXPECT_FALSE(HitFieldPoint(session, 100, 100, stray));
    EXPECT_EQ(Warp().pointCount, 5);

    // Selections naming no point in use.
    Warp().addMode = false;
    const ObjectHandle selection = Warp().leftPointMarkers[0];
    for (const int32_t id : {12, 15, 16, 9, 0, -3, std::numeric_limits<int32_t>::min(), 1100}) {
        left.Layer().SetObjID(selection, id);
        FieldDrag(session, 400, 400, left);
        left.Layer().SetObjID(selection, 0);
        EXPECT_EQ(Snapshot(left), before) << id;
        EXPECT_EQ(UsedSlots(Warp().srcPoints), sourceSlots) << id;
        EXPECT_EQ(UsedSlots(Warp().dstPoints), destinationSlots) << id;
    }

    // A selection made before a clear does not carry over.
    ASSERT_TRUE(HitFieldPoint(session, 200, 150, left));
    ClearFieldLines(session);
    Warp().addMode = true;
    Stroke(left, {10, 10}, {20, 20});
    Warp().addMode = false;
    FieldPress(session, 20, 20, left);
    FieldDrag(session, 90, 90, left);
    EXPECT_EQ(Warp().srcPoints[1], (Point32{20, 20}));
}

}  // namespace
}  // namespace kavrell

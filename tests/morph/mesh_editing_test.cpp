#include "morph/mesh_editing.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>
#include <vector>

#include "morph/field_editing.h"
#include "morph/method_markers.h"
#include "morph/session_setup.h"
#include "support/editing_gestures.h"
#include "support/layer_expectations.h"
#include "support/test_images.h"

namespace kavrell {
namespace {

using test::CountKind;
using test::ExpectLineBetween;
using test::ExpectMarkerAt;
using test::GradientBitmap;
using test::Snapshot;

void ExpectLine(const ImageView& view, ObjectHandle line, int32_t left, int32_t top, int32_t width,
                int32_t height) {
    const VectorLayer& layer = view.Layer();
    EXPECT_EQ(layer.GetObjLeft(line), left);
    EXPECT_EQ(layer.GetObjTop(line), top);
    EXPECT_EQ(layer.GetObjWidth(line), width);
    EXPECT_EQ(layer.GetObjHeight(line), height);
}

// All node positions of an array, to compare before and after.
std::vector<Point32> AllNodes(const MeshNodes& nodes) {
    return {&nodes[0][0], &nodes[0][0] + MeshSlots * MeshSlots};
}

// The objects a mesh of c x r interior nodes puts into each view, with the
// view's cursor marker.
int32_t MeshObjectCount(int32_t c, int32_t r) { return c * (r + 1) + (c + 1) * r + c * r + 1; }

class MeshEditingTest : public ::testing::Test {
protected:
    void Open(int32_t width, int32_t height) {
        left.Image() = GradientBitmap(width, height);
        right.Image() = GradientBitmap(width, height);
        BeginSession(session, left, right, false);
    }

    WarpObjStru& Warp() { return *session.WarpObj; }

    // What the editor does for a drag: hover over the node, press, move, release.
    void DragNode(ImageView& view, Point32 from, Point32 to) { test::DragMeshNode(session, view, from, to); }

    ImageView left;
    ImageView right;
    MorphSession session;
};

TEST_F(MeshEditingTest, LaysTheLatticeOverA640By480Image) {
    Open(640, 480);
    CreateMesh(session, 10, 10);
    ASSERT_EQ(Warp().meshCols, 10);
    ASSERT_EQ(Warp().meshRows, 10);
    // dx = ceil(640 / 11) = 59, dy = ceil(480 / 11) = 44; the right and bottom
    // border nodes sit on the last column and row of the image.
    for (int32_t i = 0; i <= 11; ++i) {
        for (int32_t j = 0; j <= 11; ++j) {
            const Point32 expected{i == 11 ? 639 : 59 * i, j == 11 ? 479 : 44 * j};
            EXPECT_EQ(Warp().srcNodes[i][j], expected) << i << "," << j;
            EXPECT_EQ(Warp().dstNodes[i][j], expected) << i << "," << j;
        }
    }
    EXPECT_EQ(Warp().srcNodes[10][10], (Point32{590, 440}));
}

TEST_F(MeshEditingTest, Draws10By11ColumnLines11By10RowLinesAnd100MarkersInEachView) {
    Open(640, 480);
    CreateMesh(session, 10, 10);
    for (ImageView* view : {&left, &right}) {
        EXPECT_EQ(CountKind(*view, ObjKind::Line), 10 * 11 + 11 * 10);
        EXPECT_EQ(CountKind(*view, ObjKind::Box), 100);
        EXPECT_EQ(CountKind(*view, ObjKind::Ellipse), 1);  // the cursor marker
        EXPECT_EQ(view->Layer().SelObjectsCount(), 220);   // the lines only
    }
    const VectorLayer& l = left.Layer();
    const VectorLayer& r = right.Layer();
    for (int32_t i = 1; i <= 10; ++i) {
        for (int32_t j = 0; j <= 10; ++j) {
            // The last column line runs to the bottom edge: 480 - 440.
            ExpectLine(left, Warp().leftColLines[i][j], 59 * i, 44 * j, 1, j == 10 ? 40 : 44);
            ExpectLine(right, Warp().rightColLines[i][j], 59 * i, 44 * j, 1, j == 10 ? 40 : 44);
            EXPECT_EQ(l.GetObjPenColor(Warp().leftColLines[i][j]), kRed);
            EXPECT_EQ(l.GetObjStyle(Warp().leftColLines[i][j]), kStyleVisible);
            EXPECT_EQ(l.GetObjID(Warp().leftColLines[i][j]), 0);
            EXPECT_TRUE(l.IsSelObject(Warp().leftColLines[i][j]));
        }
    }
    for (int32_t j = 1; j <= 10; ++j) {
        for (int32_t i = 0; i <= 10; ++i) {
            ExpectLine(left, Warp().leftRowLines[i][j], 59 * i, 44 * j, i == 10 ? 50 : 59, 1);
            ExpectLine(right, Warp().rightRowLines[i][j], 59 * i, 44 * j, i == 10 ? 50 : 59, 1);
            EXPECT_EQ(r.GetObjPenColor(Warp().rightRowLines[i][j]), kRed);
        }
    }
    for (int32_t i = 1; i <= 10; ++i) {
        for (int32_t j = 1; j <= 10; ++j) {
            const ObjectHandle source = Warp().leftNodeMarkers[i][j];
            const ObjectHandle destination = Warp().rightNodeMarkers[i][j];
            ExpectLine(left, source, 59 * i - 5, 44 * j - 5, 10, 10);
            ExpectLine(right, destination, 59 * i - 5, 44 * j - 5, 10, 10);
            EXPECT_EQ(l.GetObjKind(source), ObjKind::Box);
            EXPECT_EQ(l.GetObjPenColor(source), kWhite);
            EXPECT_EQ(l.GetObjBrushColor(source), kBlue);
            EXPECT_EQ(l.GetObjBrushStyle(source), BrushStyle::Solid);
            EXPECT_EQ(l.GetObjStyle(source), kStyleVisible);
            EXPECT_EQ(r.GetObjPenColor(destination), kYellow);
            EXPECT_EQ(r.GetObjBrushColor(destination), kGreen);
            EXPECT_EQ(r.GetObjBrushStyle(destination), BrushStyle::Solid);
        }
    }
    // The lines lie at the back, the markers in front of everything.
    for (ImageView* view : {&left, &right}) {
        const std::vector<VectorObject> order = Snapshot(*view);
        ASSERT_EQ(order.size(), 321u);
        for (size_t index = 0; index < order.size(); ++index) {
            const ObjKind expected = index < 220    ? ObjKind::Line
                                     : index == 220 ? ObjKind::Ellipse
                                                    : ObjKind::Box;
            EXPECT_EQ(order[index].kind, expected) << index;
        }
    }
}

TEST_F(MeshEditingTest, OneByOneMeshOnA100By100Image) {
    Open(100, 100);
    CreateMesh(session, 1, 1);
    EXPECT_EQ(Warp().srcNodes[1][1], (Point32{50, 50}));
    EXPECT_EQ(Warp().dstNodes[1][1], (Point32{50, 50}));
    EXPECT_EQ(Warp().srcNodes[2][0], (Point32{99, 0}));
    EXPECT_EQ(Warp().srcNodes[2][1], (Point32{99, 50}));
    EXPECT_EQ(Warp().srcNodes[0][2], (Point32{0, 99}));
    EXPECT_EQ(Warp().srcNodes[1][2], (Point32{50, 99}));
    EXPECT_EQ(Warp().srcNodes[2][2], (Point32{99, 99}));
    for (ImageView* view : {&left, &right}) {
        const bool source = view == &left;
        const MeshHandles& cols = source ? Warp().leftColLines : Warp().rightColLines;
        const MeshHandles& rows = source ? Warp().leftRowLines : Warp().rightRowLines;
        // The lower column line ends at y = 100, one below the bottom border nodes.
        ExpectLine(*view, cols[1][0], 50, 0, 1, 50);
        ExpectLine(*view, cols[1][1], 50, 50, 1, 50);
        ExpectLine(*view, rows[0][1], 0, 50, 50, 1);
        ExpectLine(*view, rows[1][1], 50, 50, 50, 1);
        EXPECT_EQ(view->Layer().ObjectsCount(), MeshObjectCount(1, 1));
    }
}

TEST_F(MeshEditingTest, ManyColumnsAreCreatedAsComputedEvenPastTheBorder) {
    struct Case {
        int32_t cols;
        int32_t dx;
        int32_t lastX;
    };
    // 100 columns: dx = ceil(640 / 101) = 7, so columns 92 to 100 stand at
    // 644 to 700, past the border at 639. 40 columns: dx = 16, the last at 640.
    for (const Case& c : {Case{100, 7, 700}, Case{40, 16, 640}}) {
        SCOPED_TRACE(c.cols);
        Open(640, 480);
        CreateMesh(session, c.cols, 3);
        for (int32_t i = 1; i <= c.cols; ++i) {
            EXPECT_EQ(Warp().srcNodes[i][1].x, i * c.dx);
            EXPECT_EQ(left.Layer().GetObjLeft(Warp().leftColLines[i][0]), i * c.dx);
        }
        EXPECT_EQ(Warp().srcNodes[c.cols][1].x, c.lastX);
        EXPECT_EQ(Warp().srcNodes[c.cols + 1][1].x, 639);
        // The last row line reaches the right edge, backwards when its node lies past it.
        EXPECT_EQ(left.Layer().GetObjWidth(Warp().leftRowLines[c.cols][1]), 640 - c.lastX);
        EXPECT_EQ(left.Layer().ObjectsCount(), MeshObjectCount(c.cols, 3));
    }
}

TEST_F(MeshEditingTest, CountsOutsideOneTo100AreClamped) {
    struct Case {
        int32_t cols, rows, expectedCols, expectedRows;
    };
    const Case cases[] = {{0, 5, 1, 5},
                          {-7, 101, 1, 100},
                          {250, 0, 100, 1},
                          {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), 1, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cols << " x " << c.rows);
        Open(320, 240);
        CreateMesh(session, c.cols, c.rows);
        EXPECT_EQ(Warp().meshCols, c.expectedCols);
        EXPECT_EQ(Warp().meshRows, c.expectedRows);
        EXPECT_EQ(left.Layer().ObjectsCount(), MeshObjectCount(c.expectedCols, c.expectedRows));
        EXPECT_EQ(right.Layer().ObjectsCount(), MeshObjectCount(c.expectedCols, c.expectedRows));
    }
}

TEST_F(MeshEditingTest, CreatingTwiceLeavesOneMeshsObjects) {
    Open(640, 480);
    CreateMesh(session, 10, 10);
    const ObjectHandle oldMarker = Warp().leftNodeMarkers[5][5];
    CreateMesh(session, 10, 10);
    EXPECT_EQ(left.Layer().ObjectsCount(), MeshObjectCount(10, 10));
    EXPECT_EQ(right.Layer().ObjectsCount(), MeshObjectCount(10, 10));
    EXPECT_FALSE(left.Layer().HasObject(oldMarker));
    CreateMesh(session, 4, 3);
    EXPECT_EQ(left.Layer().ObjectsCount(), MeshObjectCount(4, 3));
    EXPECT_EQ(right.Layer().ObjectsCount(), MeshObjectCount(4, 3));
}

TEST_F(MeshEditingTest, ClearingRemovesTheMeshAndKeepsTheCursorMarkers) {
    Open(640, 480);
    CreateMesh(session, 10, 10);
    ClearMesh(session);
    EXPECT_EQ(Warp().meshCols, 0);
    EXPECT_EQ(Warp().meshRows, 0);
    for (ImageView* view : {&left, &right}) {
        ASSERT_EQ(view->Layer().ObjectsCount(), 1);
        EXPECT_EQ(view->Layer().GetObjKind(view->Layer().GetObjFromIndex(0)), ObjKind::Ellipse);
    }
    EXPECT_FALSE(HitMeshNode(session, 59, 44, left));
}

TEST_F(MeshEditingTest, HoverSelectsWithinNinePixelsOnBothAxes) {
    struct Case {
        int32_t dx, dy;
        bool hit;
    };
    const Case cases[] = {{0, 0, true},   {9, 9, true},    {-9, -9, true},  {9, -9, true},  {10, 0, false},
                          {0, 10, false}, {-10, 0, false}, {0, -10, false}, {9, 10, false}, {-10, -9, false}};
    Open(640, 480);
    CreateMesh(session, 10, 10);
    const Point32 node = Warp().srcNodes[3][4];  // (177, 176)
    const VectorLayer& l = left.Layer();
    const VectorLayer& r = right.Layer();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        ASSERT_TRUE(HitMeshNode(session, 59, 44, left));  // leaves a selection behind
        EXPECT_EQ(HitMeshNode(session, node.x + c.dx, node.y + c.dy, left), c.hit);
        EXPECT_EQ(l.GetObjID(Warp().leftColLines[1][1]), c.hit ? 13 : 0);
        EXPECT_EQ(l.GetObjID(Warp().leftRowLines[1][1]), c.hit ? 14 : 0);
        EXPECT_EQ(r.GetObjStyle(Warp().rightCursorMarker), c.hit ? kStyleVisible : kStyleNone);
        if (c.hit) {
            EXPECT_EQ(r.GetObjLeft(Warp().rightCursorMarker), node.x - 10);
            EXPECT_EQ(r.GetObjTop(Warp().rightCursorMarker), node.y - 10);
        }
    }
}

TEST_F(MeshEditingTest, HoverInTheDestinationShowsTheSourcePartner) {
    Open(640, 480);
    CreateMesh(session, 10, 10);
    DragNode(right, Warp().dstNodes[3][4], {205, 190});
    ASSERT_TRUE(HitMeshNode(session, 203, 193, right));
    EXPECT_EQ(right.Layer().GetObjID(Warp().rightColLines[1][1]), 13);
    EXPECT_EQ(right.Layer().GetObjID(Warp().rightRowLines[1][1]), 14);
    EXPECT_EQ(left.Layer().GetObjID(Warp().leftColLines[1][1]), 0);  // each view has its own selection
    const ObjectHandle cursor = Warp().leftCursorMarker;
    EXPECT_EQ(left.Layer().GetObjStyle(cursor), kStyleVisible);
    EXPECT_EQ(left.Layer().GetObjLeft(cursor), 177 - 10);
    EXPECT_EQ(left.Layer().GetObjTop(cursor), 176 - 10);
    // The node is no longer where the lattice put it in this view.
    EXPECT_FALSE(HitMeshNode(session, 177, 176, right));
    EXPECT_EQ(left.Layer().GetObjStyle(cursor), kStyleNone);
}

TEST_F(MeshEditingTest, TheLowerColumnThenTheLowerRowWins) {
    struct Case {
        int32_t movedI, movedJ;
        Point32 to;
        Point32 hover;
        int32_t expectedI, expectedJ;
    };
    // Node [1][5] is at (59, 220). Each case brings another node closer to the
    // hover point than [1][5] is, and still the lower column, then row, wins.
    const Case cases[] = {{2, 5, {63, 220}, {64, 220}, 1, 5},
                          {1, 6, {59, 224}, {59, 225}, 1, 5},
                          {2, 4, {60, 221}, {61, 222}, 1, 5},
                          {1, 4, {59, 224}, {59, 225}, 1, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.movedI << "," << c.movedJ);
        Open(640, 480);
        CreateMesh(session, 10, 10);
        DragNode(left, Warp().srcNodes[c.movedI][c.movedJ], c.to);
        ASSERT_TRUE(HitMeshNode(session, c.hover.x, c.hover.y, left));
        EXPECT_EQ(left.Layer().GetObjID(Warp().leftColLines[1][1]), c.expectedI + 10);
        EXPECT_EQ(left.Layer().GetObjID(Warp().leftRowLines[1][1]), c.expectedJ + 10);
    }
}

TEST_F(MeshEditingTest, DragMovesTheNodeItsMarkerAndItsFourLines) {
    struct Case {
        bool fromSource;
        bool moveBoth;
        bool movesSource;
        bool movesDestination;
    };
    const Case cases[] = {{true, true, true, true},
                          {true, false, true, false},
                          {false, true, false, true},
                          {false, false, false, true}};
    const Point32 to{190, 150};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.fromSource ? "source" : "destination") << (c.moveBoth ? ", move both" : ""));
        Open(640, 480);
        CreateMesh(session, 10, 10);
        Warp().moveBoth = c.moveBoth;
        const Point32 lattice = Warp().srcNodes[3][4];
        // The cursor markers follow hover and drag in every case.
        const std::vector<VectorObject> untouchedLeft = Snapshot(left, Warp().leftCursorMarker);
        const std::vector<VectorObject> untouchedRight = Snapshot(right, Warp().rightCursorMarker);
        DragNode(c.fromSource ? left : right, lattice, to);

        EXPECT_EQ(Warp().srcNodes[3][4], c.movesSource ? to : lattice);
        EXPECT_EQ(Warp().dstNodes[3][4], c.movesDestination ? to : lattice);
        const auto expectView = [&](ImageView& view, const MeshNodes& nodes, const MeshHandles& cols,
                                    const MeshHandles& rows, const MeshHandles& markers) {
            ExpectMarkerAt(view, markers[3][4], to);
            ExpectLineBetween(view, cols[3][3], nodes[3][3], to);
            ExpectLineBetween(view, cols[3][4], to, nodes[3][5]);
            ExpectLineBetween(view, rows[2][4], nodes[2][4], to);
            ExpectLineBetween(view, rows[3][4], to, nodes[4][4]);
        };
        if (c.movesSource) {
            expectView(left, Warp().srcNodes, Warp().leftColLines, Warp().leftRowLines,
                       Warp().leftNodeMarkers);
            EXPECT_EQ(right.Layer().GetObjLeft(Warp().rightCursorMarker), Warp().dstNodes[3][4].x - 10);
        } else {
            EXPECT_EQ(Snapshot(left, Warp().leftCursorMarker), untouchedLeft);
        }
        if (c.movesDestination) {
            expectView(right, Warp().dstNodes, Warp().rightColLines, Warp().rightRowLines,
                       Warp().rightNodeMarkers);
        } else {
            EXPECT_EQ(Snapshot(right, Warp().rightCursorMarker), untouchedRight);
        }
    }
}

TEST_F(MeshEditingTest, DraggedNodesKeepCoordinatesBeyondTheEdgeAndZeroExtentsBecomeOne) {
    Open(640, 480);
    CreateMesh(session, 10, 10);
    DragNode(left, Warp().srcNodes[1][1], {-30, -12});
    EXPECT_EQ(Warp().srcNodes[1][1], (Point32{-30, -12}));
    EXPECT_EQ(left.Layer().GetObjLeft(Warp().leftNodeMarkers[1][1]), -35);
    ExpectLine(left, Warp().leftColLines[1][0], 59, 0, -89, -12);

    // Straight above its lower neighbour: the column line gets width 1.
    DragNode(left, Warp().srcNodes[3][4], {177, 200});
    ExpectLine(left, Warp().leftColLines[3][4], 177, 200, 1, 20);
    ExpectLine(left, Warp().leftColLines[3][3], 177, 132, 1, 68);
}

TEST_F(MeshEditingTest, APressWithoutHoverMovesNothing) {
    Open(640, 480);
    CreateMesh(session, 10, 10);
    ASSERT_FALSE(HitMeshNode(session, 30, 30, left));
    const std::vector<VectorObject> before = Snapshot(left);
    MeshPress(session, 30, 30, left);
    MeshDrag(session, 100, 100, left);
    MeshRelease(session, 100, 100, left);
    EXPECT_EQ(Snapshot(left), before);
    EXPECT_EQ(Warp().srcNodes[1][1], (Point32{59, 44}));
}

TEST_F(MeshEditingTest, PressAndReleaseRecordThePositionsOfTheirView) {
    Open(640, 480);
    MeshPress(session, 11, 12, left);
    EXPECT_TRUE(Warp().buttonDown);
    MeshRelease(session, 13, 14, left);
    EXPECT_FALSE(Warp().buttonDown);
    MeshPress(session, 21, 22, right);
    MeshRelease(session, 23, 24, right);
    EXPECT_EQ(Warp().leftPressX, 11);
    EXPECT_EQ(Warp().leftPressY, 12);
    EXPECT_EQ(Warp().leftReleaseX, 13);
    EXPECT_EQ(Warp().leftReleaseY, 14);
    EXPECT_EQ(Warp().rightPressX, 21);
    EXPECT_EQ(Warp().rightPressY, 22);
    EXPECT_EQ(Warp().rightReleaseX, 23);
    EXPECT_EQ(Warp().rightReleaseY, 24);
}

TEST_F(MeshEditingTest, SwitchingMethodHidesTheMeshAndShowsItAgainWithMarkersOnTop) {
    Open(640, 480);
    CreateMesh(session, 10, 10);
    DragNode(left, Warp().srcNodes[3][4], {190, 150});
    ASSERT_EQ(right.Layer().GetObjStyle(Warp().rightCursorMarker), kStyleVisible);
    // A polyline adds markers in front of the mesh's.
    test::FieldStroke(session, left, {300, 300}, {350, 320});

    ShowMethodMarkers(session, WarpMethod::Field);
    for (int32_t i = 1; i <= 10; ++i) {
        for (int32_t j = 0; j <= 10; ++j) {
            EXPECT_EQ(left.Layer().GetObjStyle(Warp().leftColLines[i][j]), kStyleNone);
            EXPECT_EQ(right.Layer().GetObjStyle(Warp().rightColLines[i][j]), kStyleNone);
            EXPECT_EQ(left.Layer().GetObjStyle(Warp().leftRowLines[j][i]), kStyleNone);
        }
    }
    EXPECT_EQ(left.Layer().GetObjStyle(Warp().leftNodeMarkers[3][4]), kStyleNone);
    EXPECT_EQ(right.Layer().GetObjStyle(Warp().rightCursorMarker), kStyleNone);
    EXPECT_EQ(left.Layer().GetObjStyle(Warp().leftSegLines[0]), kStyleVisible);

    ShowMethodMarkers(session, WarpMethod::Mesh);
    for (ImageView* view : {&left, &right}) {
        const std::vector<VectorObject> order = Snapshot(*view);
        ASSERT_EQ(order.size(), static_cast<size_t>(MeshObjectCount(10, 10) + 3));
        int32_t visible = 0;
        for (const VectorObject& object : order) visible += object.style == kStyleVisible ? 1 : 0;
        EXPECT_EQ(visible, 320);  // the mesh only; cursor and polyline hidden
        // The last hundred in stacking order are the mesh's node markers.
        for (size_t index = order.size() - 100; index < order.size(); ++index) {
            EXPECT_EQ(order[index].kind, ObjKind::Box);
            EXPECT_EQ(order[index].style, kStyleVisible);
        }
    }
    EXPECT_EQ(left.Layer().GetObjLeft(Warp().leftNodeMarkers[3][4]), 185);
    ExpectLineBetween(left, Warp().leftColLines[3][3], Warp().srcNodes[3][3], {190, 150});
    EXPECT_EQ(Warp().srcNodes[3][4], (Point32{190, 150}));
    EXPECT_EQ(left.Layer().GetObjStyle(Warp().leftSegLines[0]), kStyleNone);
    EXPECT_EQ(left.Layer().GetObjStyle(Warp().leftPointMarkers[0]), kStyleNone);
}

// The editor never calls these in such states; they must still stay within the
// arrays and change nothing.
TEST_F(MeshEditingTest, OperationsOutOfTurnChangeNothing) {
    MorphSession empty;
    ImageView stray;
    CreateMesh(empty, 10, 10);
    ClearMesh(empty);
    MeshPress(empty, 1, 1, stray);
    MeshDrag(empty, 1, 1, stray);
    MeshRelease(empty, 1, 1, stray);
    EXPECT_FALSE(HitMeshNode(empty, 1, 1, stray));
    ShowMethodMarkers(empty, WarpMethod::Mesh);
    EXPECT_EQ(stray.Layer().ObjectsCount(), 0);

    Open(640, 480);
    // No mesh yet.
    EXPECT_FALSE(HitMeshNode(session, 0, 0, left));
    MeshDrag(session, 5, 5, left);
    RefreshMeshNode(session, 1, 1, Warp().srcNodes, left);
    ClearMesh(session);
    EXPECT_EQ(left.Layer().ObjectsCount(), 1);

    CreateMesh(session, 10, 10);
    const std::vector<VectorObject> before = Snapshot(left);
    const std::vector<Point32> sourceNodes = AllNodes(Warp().srcNodes);
    const std::vector<Point32> destinationNodes = AllNodes(Warp().dstNodes);
    const MeshNodes& nodes = Warp().srcNodes;
    // Border nodes have no marker and never move; other indices lie outside the mesh.
    const std::pair<int32_t, int32_t> outside[] = {{0, 5},  {11, 5}, {5, 0},     {5, 11},
                                                   {-1, 5}, {5, -1}, {101, 101}, {200, 3}};
    for (const auto& [i, j] : outside) RefreshMeshNode(session, i, j, nodes, left);
    // A view that is neither of the session's.
    stray.Layer().AddNewObject();
    MeshPress(session, 7, 7, stray);
    EXPECT_FALSE(Warp().buttonDown);
    EXPECT_FALSE(HitMeshNode(session, 59, 44, stray));
    EXPECT_EQ(Snapshot(left), before);

    // Selections naming no node of the current mesh.
    const ObjectHandle col = Warp().leftColLines[1][1];
    const ObjectHandle row = Warp().leftRowLines[1][1];
    const std::pair<int32_t, int32_t> selections[] = {
        {21, 12}, {12, 21}, {10, 15}, {15, 5}, {0, 0}, {std::numeric_limits<int32_t>::min(), 12}};
    for (const auto& [colId, rowId] : selections) {
        left.Layer().SetObjID(col, colId);
        left.Layer().SetObjID(row, rowId);
        MeshDrag(session, 300, 300, left);
        left.Layer().SetObjID(col, 0);
        left.Layer().SetObjID(row, 0);
        EXPECT_EQ(Snapshot(left), before) << colId << ", " << rowId;
        EXPECT_EQ(AllNodes(Warp().srcNodes), sourceNodes) << colId << ", " << rowId;
        EXPECT_EQ(AllNodes(Warp().dstNodes), destinationNodes) << colId << ", " << rowId;
    }

    // A selection made on an older mesh does not carry over to a new one,
    // even where the new mesh has the same node.
    ASSERT_TRUE(HitMeshNode(session, 118, 88, left));  // node [2][2]
    CreateMesh(session, 2, 2);
    const std::vector<VectorObject> fresh = Snapshot(left);
    MeshPress(session, 300, 300, left);
    MeshDrag(session, 310, 310, left);
    EXPECT_EQ(Snapshot(left), fresh);
}

}  // namespace
}  // namespace kavrell

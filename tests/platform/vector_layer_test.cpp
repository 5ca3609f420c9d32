#include "platform/vector_layer.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace kavrell {
namespace {

// The handles in stacking order, back to front.
std::vector<ObjectHandle> StackingOrder(const VectorLayer& layer) {
    std::vector<ObjectHandle> order;
    for (int32_t index = 0; index < layer.ObjectsCount(); ++index)
        order.push_back(layer.GetObjFromIndex(index));
    return order;
}

TEST(VectorLayerTest, KeepsEveryPropertyOfAnObject) {
    VectorLayer layer;
    const ObjectHandle line = layer.AddNewObject();
    const ObjectHandle box = layer.AddNewObject();

    layer.SetObjKind(line, ObjKind::Line);
    layer.SetObjLeft(line, -30);
    layer.SetObjTop(line, 40);
    layer.SetObjWidth(line, -25);
    layer.SetObjHeight(line, -7);
    layer.SetObjPenColor(line, kRed);
    layer.SetObjID(line, 57);
    layer.SetObjStyle(line, kStyleVisible | kStyleMovable);

    layer.SetObjKind(box, ObjKind::Box);
    layer.SetObjBrushStyle(box, BrushStyle::Solid);
    layer.SetObjBrushColor(box, kGreen);
    layer.SetObjStyle(box, kStyleNone);

    EXPECT_EQ(layer.GetObjKind(line), ObjKind::Line);
    EXPECT_EQ(layer.GetObjLeft(line), -30);
    EXPECT_EQ(layer.GetObjTop(line), 40);
    EXPECT_EQ(layer.GetObjWidth(line), -25);
    EXPECT_EQ(layer.GetObjHeight(line), -7);
    EXPECT_EQ(layer.GetObjPenColor(line), kRed);
    EXPECT_EQ(layer.GetObjID(line), 57);
    EXPECT_EQ(layer.GetObjStyle(line), kStyleVisible | kStyleMovable);

    // Setting one object leaves the other as it was.
    EXPECT_EQ(layer.GetObjKind(box), ObjKind::Box);
    EXPECT_EQ(layer.GetObjLeft(box), 0);
    EXPECT_EQ(layer.GetObjID(box), 0);
    EXPECT_EQ(layer.GetObjBrushStyle(box), BrushStyle::Solid);
    EXPECT_EQ(layer.GetObjBrushColor(box), kGreen);
    EXPECT_EQ(layer.GetObjStyle(box), kStyleNone);

    const VectorObject* drawn = layer.FindObject(line);
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->width, -25);
    EXPECT_EQ(drawn->penColor, kRed);
}

TEST(VectorLayerTest, ANewObjectIsAVisibleUnfilledLineWithIdZero) {
    VectorLayer layer;
    const ObjectHandle object = layer.AddNewObject();
    EXPECT_NE(object, 0);  // zeroed handle fields name no object
    EXPECT_EQ(layer.GetObjKind(object), ObjKind::Line);
    EXPECT_EQ(layer.GetObjStyle(object), kStyleVisible);
    EXPECT_EQ(layer.GetObjBrushStyle(object), BrushStyle::Clear);
    EXPECT_EQ(layer.GetObjID(object), 0);
    EXPECT_FALSE(layer.IsSelObject(object));
}

// Handles rise strictly, so none comes back after its object is removed, and
// the one the handle lists use for "no object" is skipped.
TEST(VectorLayerTest, NeverReusesAHandleNorIssuesTheNoObjectMark) {
    VectorLayer layer;
    ObjectHandle previous = 0;
    for (int32_t n = 0; n <= kNoObject; ++n) {
        const ObjectHandle handle = layer.AddNewObject();
        ASSERT_NE(handle, kNoObject);
        ASSERT_GT(handle, previous);
        previous = handle;
        layer.RemoveObject(handle);
    }
    EXPECT_GT(previous, kNoObject);
    EXPECT_EQ(layer.ObjectsCount(), 0);
}

TEST(VectorLayerTest, AnUnknownHandleIsHarmless) {
    VectorLayer layer;
    const ObjectHandle kept = layer.AddNewObject();
    layer.SetObjLeft(kept, 12);
    const ObjectHandle removed = layer.AddNewObject();
    layer.SetObjLeft(removed, 99);
    layer.RemoveObject(removed);

    for (const ObjectHandle unknown : {removed, ObjectHandle{0}, ObjectHandle{-1}, kNoObject, kept + 1000}) {
        layer.SetObjLeft(unknown, 5);
        layer.SetObjID(unknown, 30);
        layer.SetObjStyle(unknown, kStyleVisible);
        layer.SetObjFrontOf(unknown);
        layer.SetObjBackTo(unknown);
        layer.AddSelObject(unknown);
        layer.RemoveObject(unknown);
        EXPECT_FALSE(layer.HasObject(unknown));
        EXPECT_EQ(layer.FindObject(unknown), nullptr);
        EXPECT_EQ(layer.GetObjLeft(unknown), 0);
        EXPECT_EQ(layer.GetObjWidth(unknown), 0);
        EXPECT_EQ(layer.GetObjID(unknown), 0);
        EXPECT_EQ(layer.GetObjStyle(unknown), kStyleNone);
        EXPECT_FALSE(layer.IsSelObject(unknown));
    }
    EXPECT_EQ(layer.ObjectsCount(), 1);
    EXPECT_EQ(layer.SelObjectsCount(), 0);
    EXPECT_EQ(layer.GetObjLeft(kept), 12);
}

TEST(VectorLayerTest, EnumeratesFromBackToFront) {
    VectorLayer layer;
    const ObjectHandle a = layer.AddNewObject();
    const ObjectHandle b = layer.AddNewObject();
    const ObjectHandle c = layer.AddNewObject();
    EXPECT_EQ(StackingOrder(layer), (std::vector{a, b, c}));  // new objects go in front

    layer.SetObjBackTo(c);
    EXPECT_EQ(StackingOrder(layer), (std::vector{c, a, b}));
    layer.SetObjFrontOf(a);
    EXPECT_EQ(StackingOrder(layer), (std::vector{c, b, a}));
    const ObjectHandle d = layer.AddNewObject();
    layer.SetObjBackTo(b);
    EXPECT_EQ(StackingOrder(layer), (std::vector{b, c, a, d}));

    layer.RemoveObject(c);
    EXPECT_EQ(StackingOrder(layer), (std::vector{b, a, d}));
    EXPECT_EQ(layer.ObjectsCount(), 3);
    EXPECT_EQ(layer.GetObjFromIndex(-1), kNoObject);
    EXPECT_EQ(layer.GetObjFromIndex(3), kNoObject);
}

TEST(VectorLayerTest, SelectionFollowsTheObjects) {
    VectorLayer layer;
    const ObjectHandle a = layer.AddNewObject();
    const ObjectHandle b = layer.AddNewObject();
    const ObjectHandle c = layer.AddNewObject();
    layer.AddSelObject(a);
    layer.AddSelObject(b);
    layer.AddSelObject(b);  // selecting twice counts once
    EXPECT_TRUE(layer.IsSelObject(a));
    EXPECT_TRUE(layer.IsSelObject(b));
    EXPECT_FALSE(layer.IsSelObject(c));
    EXPECT_EQ(layer.SelObjectsCount(), 2);

    layer.RemoveObject(a);
    EXPECT_EQ(layer.SelObjectsCount(), 1);
    layer.UnSelAllObjects();
    EXPECT_EQ(layer.SelObjectsCount(), 0);
    EXPECT_FALSE(layer.IsSelObject(b));
    EXPECT_EQ(layer.ObjectsCount(), 2);
}

TEST(VectorLayerTest, RemovingAllKeepsHandlesUsedUp) {
    VectorLayer layer;
    const ObjectHandle first = layer.AddNewObject();
    layer.AddSelObject(first);
    layer.RemoveAllObjects();
    EXPECT_EQ(layer.ObjectsCount(), 0);
    EXPECT_EQ(layer.SelObjectsCount(), 0);
    EXPECT_EQ(layer.GetObjFromIndex(0), kNoObject);
    EXPECT_GT(layer.AddNewObject(), first);
}

TEST(VectorLayerTest, AnnouncesEveryChangeAndNothingElse) {
    VectorLayer layer;
    int changes = 0;
    layer.SetChangeListener([&changes] { ++changes; });
    const ObjectHandle first = layer.AddNewObject();
    const ObjectHandle second = layer.AddNewObject();
    ASSERT_EQ(changes, 2);

    struct Case {
        const char* name;
        std::function<void()> action;
        int expected;  // announcements the action makes
    };
    const Case cases[] = {
        {"move", [&] { layer.SetObjLeft(first, -12); }, 1},
        {"same position again", [&] { layer.SetObjLeft(first, -12); }, 0},
        {"resize", [&] { layer.SetObjHeight(first, -9); }, 1},
        {"recolour", [&] { layer.SetObjPenColor(first, kAqua); }, 1},
        {"hide", [&] { layer.SetObjStyle(first, kStyleNone); }, 1},
        {"restack", [&] { layer.SetObjBackTo(second); }, 1},
        {"select", [&] { layer.AddSelObject(first); }, 1},
        {"unknown handle", [&] { layer.SetObjTop(kNoObject, 3); }, 0},
        {"remove", [&] { layer.RemoveObject(first); }, 1},
        {"remove all", [&] { layer.RemoveAllObjects(); }, 1},
    };
    for (const Case& c : cases) {
        const int before = changes;
        c.action();
        EXPECT_EQ(changes - before, c.expected) << c.name;
    }
}

TEST(VectorLayerTest, ACopyDoesNotCallTheOriginalsListener) {
    VectorLayer layer;
    int changes = 0;
    layer.SetChangeListener([&changes] { ++changes; });
    VectorLayer copy = layer;
    copy.AddNewObject();
    EXPECT_EQ(changes, 0);
    layer.AddNewObject();
    EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace kavrell

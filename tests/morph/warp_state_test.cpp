#include "morph/warp_state.h"

#include <gtest/gtest.h>

namespace kavrell {
namespace {

TEST(WarpStateTest, FreshRecordHasTheShownState) {
    for (const bool warpOnly : {false, true}) {
        const auto warp = NewWarpState(warpOnly);
        EXPECT_EQ(warp->method, WarpMethod::Mesh);
        EXPECT_EQ(warp->meshCols, 0);
        EXPECT_EQ(warp->meshRows, 0);
        EXPECT_EQ(warp->pointCount, 0);
        EXPECT_TRUE(warp->addMode);
        EXPECT_FALSE(warp->moveBoth);
        EXPECT_FALSE(warp->buttonDown);
        EXPECT_EQ(warp->warpOnly, warpOnly);
        for (int32_t k = 0; k < FieldSlots; ++k) {
            ASSERT_FALSE(HoldsPoint(warp->srcPoints[k])) << k;
            ASSERT_FALSE(HoldsPoint(warp->dstPoints[k])) << k;
            ASSERT_EQ(warp->leftSegLines[k], EmptySlot);
            ASSERT_EQ(warp->leftPointMarkers[k], EmptySlot);
        }
    }
}

TEST(WarpStateTest, ASlotHoldsAPointBelowTheEmptyMark) {
    EXPECT_TRUE(HoldsPoint({EmptySlot - 1, 0}));
    EXPECT_TRUE(HoldsPoint({-50, 3}));  // dragged past the left edge
    EXPECT_FALSE(HoldsPoint({EmptySlot, 0}));
    EXPECT_EQ(EmptySlot, 1048575);
}

TEST(WarpStateTest, ResetClearsAnEditedRecord) {
    auto warp = NewWarpState(false);
    warp->method = WarpMethod::Field;
    warp->meshCols = warp->meshRows = 4;
    warp->pointCount = 2;
    warp->srcPoints[0] = {5, 5};
    warp->addMode = false;
    ResetWarpState(*warp, true);
    EXPECT_EQ(warp->method, WarpMethod::Mesh);
    EXPECT_EQ(warp->meshCols, 0);
    EXPECT_EQ(warp->pointCount, 0);
    EXPECT_FALSE(HoldsPoint(warp->srcPoints[0]));
    EXPECT_TRUE(warp->addMode);
    EXPECT_TRUE(warp->warpOnly);
}

}  // namespace
}  // namespace kavrell

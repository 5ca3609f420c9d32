#include "engine/frame_schedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace kavrell {
namespace {

std::vector<int32_t> Percents(int32_t frameCount, bool warpOnly) {
    std::vector<int32_t> percents;
    for (const InBetweenFrame& frame : FrameSchedule(frameCount, warpOnly)) percents.push_back(frame.percent);
    return percents;
}

TEST(FrameScheduleTest, TwelveFramesOfFullMorphing) {
    const auto frames = FrameSchedule(12, false);
    ASSERT_EQ(frames.size(), 10u);
    for (size_t k = 0; k < frames.size(); ++k) {
        EXPECT_EQ(frames[k].index, static_cast<int32_t>(k + 1));
        EXPECT_DOUBLE_EQ(frames[k].t, (k + 1) / 11.0);
        EXPECT_EQ(frames[k].w, 1.0 - frames[k].t);
    }
    EXPECT_EQ(Percents(12, false), (std::vector<int32_t>{90, 81, 72, 63, 54, 45, 36, 27, 18, 9}));
}

TEST(FrameScheduleTest, PercentIsTruncatedFromTheExtendedProduct) {
    // 0.7 x 100 and 0.6 x 100 fall just below 70 and 60.
    EXPECT_EQ(Percents(11, false), (std::vector<int32_t>{90, 80, 69, 59, 50, 40, 30, 19, 9}));
}

TEST(FrameScheduleTest, WarpOnlyStopsBeforeTheFullyWarpedGeometry) {
    const auto frames = FrameSchedule(12, true);
    ASSERT_EQ(frames.size(), 11u);
    EXPECT_DOUBLE_EQ(frames.front().t, 1.0 / 12);
    EXPECT_DOUBLE_EQ(frames.back().t, 11.0 / 12);
}

TEST(FrameScheduleTest, SmallFrameCounts) {
    struct Case {
        int32_t frameCount;
        bool warpOnly;
        size_t inBetween;
    };
    const Case cases[] = {{0, false, 0}, {0, true, 0}, {1, false, 0}, {1, true, 0},
                          {2, false, 0}, {2, true, 1}, {3, false, 1}, {-3, true, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(FrameSchedule(c.frameCount, c.warpOnly).size(), c.inBetween)
            << c.frameCount << (c.warpOnly ? " warp-only" : " full");
    }
    EXPECT_EQ(FrameSchedule(2, true)[0].t, 0.5);
    EXPECT_EQ(FrameSchedule(2, true)[0].percent, 50);
}

}  // namespace
}  // namespace kavrell

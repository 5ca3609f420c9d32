#include "platform/frame_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/working_set.h"
#include "platform/progress_gauge.h"
#include "support/test_images.h"

namespace kavrell {
namespace {

TEST(FrameListTest, AppendFrameKeepsACopyWithItsDisplayTime) {
    FrameList frames;
    Bitmap image = test::SolidBitmap(2, 2, 1, 2, 3);
    AppendFrame(frames, image, 10);
    AppendFrame(frames, image, 0);
    image.Pixel(0, 0)[0] = 99;  // the list holds its own copy

    ASSERT_EQ(frames.Count(), 2);
    EXPECT_EQ(frames.Frame(0), test::SolidBitmap(2, 2, 1, 2, 3));
    EXPECT_EQ(frames.DelayMs(0), 100);
    EXPECT_EQ(frames.DelayMs(1), 0);
    frames.Clear();
    EXPECT_EQ(frames.Count(), 0);
}

TEST(ProgressGaugeTest, ClampsAndAnnouncesEveryChange) {
    ProgressGauge gauge;
    std::vector<int32_t> heard;
    gauge.SetListener([&](int32_t value) { heard.push_back(value); });
    gauge.Advance(60);
    gauge.Advance(60);
    gauge.SetProgress(-4);
    gauge.SetProgress(37);
    EXPECT_EQ(heard, (std::vector<int32_t>{60, 100, 0, 37}));
    EXPECT_EQ(gauge.Progress(), 37);
}

}  // namespace
}  // namespace kavrell

#include "platform/image_processor.h"

#include <gtest/gtest.h>

#include "support/test_images.h"

namespace kavrell {
namespace {

using test::GradientBitmap;
using test::SolidBitmap;

TEST(ResampleToTest, SameSizeReproducesTheImage) {
    const Bitmap source = GradientBitmap(7, 5);
    Bitmap target;
    ResampleTo(source, target, 7, 5);
    EXPECT_EQ(target, source);
}

TEST(ResampleToTest, SolidImageStaysSolidAtAnySize) {
    const Bitmap source = SolidBitmap(13, 9, 10, 200, 255);
    Bitmap target;
    ResampleTo(source, target, 200, 139);
    ASSERT_EQ(target.Width(), 200);
    ASSERT_EQ(target.Height(), 139);
    EXPECT_EQ(target, SolidBitmap(200, 139, 10, 200, 255));
}

TEST(ResampleToTest, EnlargingInterpolatesBetweenPixelCentres) {
    Bitmap source(2, 1);
    source.Pixel(1, 0)[0] = 200;  // 0 | 200
    Bitmap target;
    ResampleTo(source, target, 4, 1);
    // Target centres fall at source positions -0.25, 0.25, 0.75, 1.25.
    EXPECT_EQ(target.Pixel(0, 0)[0], 0);
    EXPECT_EQ(target.Pixel(1, 0)[0], 50);
    EXPECT_EQ(target.Pixel(2, 0)[0], 150);
    EXPECT_EQ(target.Pixel(3, 0)[0], 200);
}

TEST(ResampleToTest, HalvingAveragesPairs) {
    Bitmap source(4, 2);
    const uint8_t values[4] = {0, 100, 200, 250};
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 4; ++x) source.Pixel(x, y)[1] = values[x];
    }
    Bitmap target;
    ResampleTo(source, target, 2, 1);
    EXPECT_EQ(target.Pixel(0, 0)[1], 50);
    EXPECT_EQ(target.Pixel(1, 0)[1], 225);
}

TEST(MergeIEBitmapTest, PercentIsTheShareOfTheTarget) {
    struct Case {
        uint8_t c1;
        uint8_t c2;
        int32_t percent;
        uint8_t expected;
    };
    const Case cases[] = {
        {200, 100, 100, 200}, {200, 100, 0, 100},
        {200, 100, 90, 190},  {255, 0, 33, 84},  // 84.15
        {1, 0, 50, 1},                           // exact half rounds up
        {0, 1, 50, 1},        {3, 0, 50, 2},
        {255, 255, 37, 255},  {200, 100, 150, 200},  // percent limited to 100
        {200, 100, -5, 100},                         // and to 0
    };
    for (const Case& c : cases) {
        Bitmap target = SolidBitmap(3, 2, c.c1, c.c1, c.c1);
        const Bitmap other = SolidBitmap(3, 2, c.c2, c.c2, c.c2);
        MergeIEBitmap(target, other, c.percent);
        EXPECT_EQ(target, SolidBitmap(3, 2, c.expected, c.expected, c.expected))
            << int(c.c1) << " with " << int(c.c2) << " at " << c.percent << "%";
    }
}

TEST(MergeIEBitmapTest, LeavesTheRowPaddingAlone) {
    Bitmap target = SolidBitmap(1, 1, 10, 20, 30);  // one pixel, one padding byte
    const Bitmap other = SolidBitmap(1, 1, 90, 90, 90);
    MergeIEBitmap(target, other, 50);
    EXPECT_EQ(target.LastRow()[3], 0);
    EXPECT_EQ(target.Pixel(0, 0)[2], 60);
}

}  // namespace
}  // namespace kavrell

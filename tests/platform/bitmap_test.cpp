#include "platform/bitmap.h"

#include <gtest/gtest.h>

namespace kavrell {
namespace {

TEST(BitmapTest, RowsArePaddedToFourBytes) {
    struct Case {
        int32_t width;
        int32_t stride;
        int32_t pad;
    };
    for (const Case& c : {Case{1, 4, 1}, Case{2, 8, 2}, Case{3, 12, 3}, Case{4, 12, 0}, Case{5, 16, 1}}) {
        Bitmap bitmap(c.width, 2);
        EXPECT_EQ(bitmap.RowStride(), c.stride) << "width " << c.width;
        EXPECT_EQ(bitmap.RowStride() - 3 * c.width, c.pad) << "width " << c.width;
        EXPECT_EQ(RowStrideFor(c.width), c.stride);
    }
}

TEST(BitmapTest, RowsAreStoredBottomUpFromTheLastRow) {
    Bitmap bitmap(3, 4);
    EXPECT_EQ(bitmap.ScanLine(3), bitmap.LastRow());
    for (int32_t y = 0; y < 4; ++y) {
        EXPECT_EQ(bitmap.ScanLine(y), bitmap.LastRow() + (4 - 1 - y) * bitmap.RowStride());
    }
    EXPECT_EQ(bitmap.Pixel(2, 1), bitmap.ScanLine(1) + 6);
}

TEST(BitmapTest, NewPixelsAreBlackAndCopiesAreIndependent) {
    Bitmap bitmap(2, 2);
    EXPECT_EQ(bitmap.Pixel(1, 1)[2], 0);
    bitmap.Pixel(1, 0)[1] = 77;
    Bitmap copy;
    copy.CopyFrom(bitmap);
    EXPECT_EQ(copy, bitmap);
    bitmap.Pixel(1, 0)[1] = 5;
    EXPECT_EQ(copy.Pixel(1, 0)[1], 77);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.Format(), PixelFormat::Rgb24);
}

TEST(BitmapTest, ASideBelowOneGivesAnEmptyBitmap) {
    EXPECT_TRUE(Bitmap().Empty());
    EXPECT_TRUE(Bitmap(0, 5).Empty());
    EXPECT_TRUE(Bitmap(5, -1).Empty());
    EXPECT_EQ(Bitmap(0, 5).Height(), 0);
    EXPECT_FALSE(Bitmap(1, 1).Empty());
}

}  // namespace
}  // namespace kavrell

#include "image_view_widget.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <vector>

#include "support/test_images.h"
#include "widget_testing.h"

namespace kavrell::ui {
namespace {

using test::PaintCounter;

// Each pixel tells where it lies: red holds x, green holds y.
Bitmap CoordinateBitmap(int32_t width, int32_t height) {
    Bitmap bitmap(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = bitmap.Pixel(x, y);
            pixel[0] = static_cast<uint8_t>(x);
            pixel[1] = static_cast<uint8_t>(y);
            pixel[2] = 77;
        }
    }
    return bitmap;
}

class ImageViewWidgetTest : public ::testing::Test {
protected:
    void ShowImage(const Bitmap& image) {
        view.Image() = image;
        widget.ImageChanged();
        widget.resize(180, 140);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    }
    QImage Screen() { return widget.viewport()->grab().toImage(); }

    ImageView view;
    ImageViewWidget widget{view};
};

TEST_F(ImageViewWidgetTest, ConvertsViewPositionsToTheImagePixelShownThere) {
    ShowImage(CoordinateBitmap(200, 150));
    struct Case {
        double zoom;
        bool center;
        int viewX;
        int viewY;
        int shownViewX;  // the 100 x 75 image at zoom 0.5 fits the view and cannot scroll
    };
    const Case cases[] = {
        {1.0, false, 0, 0, 0},      {1.0, false, 15, 9, 15}, {2.0, false, 37, 21, 37},
        {3.0, false, 101, 50, 101}, {0.5, false, 20, 10, 0}, {0.5, true, 0, 0, 0},
        {2.0, true, 40, 30, 40},    {3.0, true, 7, 3, 7},
    };
    for (const Case& c : cases) {
        widget.SetZoom(c.zoom);
        widget.SetCenter(c.center);
        widget.SetViewX(c.viewX);
        widget.SetViewY(c.viewY);
        const std::string label = "zoom " + std::to_string(c.zoom) + (c.center ? " centred" : "");
        // The image is larger than the view except at zoom 0.5, where it cannot scroll.
        EXPECT_EQ(widget.ViewX(), c.shownViewX) << label;
        const QImage screen = Screen();
        int checked = 0;
        for (int y = 0; y < screen.height(); y += 7) {
            for (int x = 0; x < screen.width(); x += 5) {
                const int imageX = widget.XScr2Bmp(x);
                const int imageY = widget.YScr2Bmp(y);
                const QColor shown = screen.pixelColor(x, y);
                if (imageX < 0 || imageY < 0 || imageX >= 200 || imageY >= 150) {
                    EXPECT_NE(shown.blue(), 77) << label << " at " << x << "," << y;
                    continue;
                }
                ASSERT_EQ(shown.blue(), 77) << label << " at " << x << "," << y;
                ASSERT_EQ(shown.red(), imageX) << label << " at " << x << "," << y;
                ASSERT_EQ(shown.green(), imageY) << label << " at " << x << "," << y;
                ++checked;
            }
        }
        EXPECT_GT(checked, 50) << label;
    }
}

TEST_F(ImageViewWidgetTest, CentresASmallImageAndFitsALargeOne) {
    ShowImage(CoordinateBitmap(200, 150));
    widget.SetZoom(0.5);
    widget.SetCenter(true);
    const QSize area = widget.viewport()->size();
    // The 100 x 75 image sits in the middle: equal margins on both sides.
    const int left = (area.width() - 100) / 2;
    const int top = (area.height() - 75) / 2;
    EXPECT_EQ(widget.XScr2Bmp(left - 1), -2);
    EXPECT_EQ(widget.XScr2Bmp(left), 0);
    EXPECT_EQ(widget.XScr2Bmp(left + 1), 2);
    EXPECT_EQ(widget.YScr2Bmp(top + 74), 148);

    widget.SetCenter(false);
    widget.SetZoom(4.0);
    widget.SetViewX(300);
    widget.Fit();
    EXPECT_EQ(widget.ViewX(), 0);
    EXPECT_EQ(widget.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(widget.verticalScrollBar()->maximum(), 0);
    const QSize whole = widget.maximumViewportSize();
    EXPECT_DOUBLE_EQ(widget.Zoom(), std::min(whole.width() / 200.0, whole.height() / 150.0));
}

// A red line drawn towards the top-left (negative extents), a blue-edged
// yellow box in front of it and a hidden green ellipse, on a white image.
class VectorDrawingTest : public ImageViewWidgetTest {
protected:
    void SetUp() override {
        ShowImage(test::SolidBitmap(100, 80, 255, 255, 255));
        VectorLayer& layer = view.Layer();
        line = layer.AddNewObject();
        layer.SetObjLeft(line, 55);
        layer.SetObjTop(line, 58);
        layer.SetObjWidth(line, -50);
        layer.SetObjHeight(line, -50);
        layer.SetObjPenColor(line, kRed);
        box = layer.AddNewObject();
        layer.SetObjKind(box, ObjKind::Box);
        layer.SetObjLeft(box, 30);
        layer.SetObjTop(box, 50);
        layer.SetObjWidth(box, 20);
        layer.SetObjHeight(box, 10);
        layer.SetObjPenColor(box, kBlue);
        layer.SetObjBrushColor(box, kYellow);
        layer.SetObjBrushStyle(box, BrushStyle::Solid);
        ellipse = layer.AddNewObject();
        layer.SetObjKind(ellipse, ObjKind::Ellipse);
        layer.SetObjLeft(ellipse, 70);
        layer.SetObjTop(ellipse, 10);
        layer.SetObjWidth(ellipse, 20);
        layer.SetObjHeight(ellipse, 20);
        layer.SetObjPenColor(ellipse, kGreen);
        layer.SetObjStyle(ellipse, kStyleNone);
    }

    // The colour shown over the centre of image pixel (x, y).
    QColor ImagePixel(const QImage& screen, int x, int y) {
        const double zoom = widget.Zoom();
        return screen.pixelColor(int((x + 0.5) * zoom) - widget.ViewX(),
                                 int((y + 0.5) * zoom) - widget.ViewY());
    }

    // Pixels of the ellipse's colour within its rectangle.
    int GreenPixels(const QImage& screen) {
        int count = 0;
        for (int y = 10; y < 30; ++y) {
            for (int x = 70; x < 90; ++x) count += ImagePixel(screen, x, y) == kShownGreen;
        }
        return count;
    }

    static inline const QColor kShownRed{255, 0, 0}, kShownBlue{0, 0, 255}, kShownYellow{255, 255, 0},
        kShownWhite{255, 255, 255}, kShownGreen{0, 128, 0};
    ObjectHandle line = 0, box = 0, ellipse = 0;
};

TEST_F(VectorDrawingTest, DrawsTheVisibleObjectsInStackingOrderAtTheirImagePixels) {
    const QImage screen = Screen();
    struct Probe {
        int x, y;
        QColor expected;
        const char* what;
    };
    const Probe probes[] = {
        {55, 58, kShownRed, "the line's starting corner"},
        {5, 8, kShownRed, "the line's far corner"},
        {20, 23, kShownRed, "the line's middle"},
        {21, 23, kShownWhite, "beside the line"},
        {30, 50, kShownBlue, "the box's top-left edge"},
        {49, 59, kShownBlue, "the box's bottom-right edge"},
        {50, 59, kShownWhite, "right of the box"},
        {49, 60, kShownWhite, "below the box"},
        {40, 55, kShownYellow, "the box's fill"},
        {48, 51, kShownYellow, "the box covers the line"},
        {49, 52, kShownBlue, "the box's edge covers the line"},
        {45, 48, kShownRed, "the line just above the box"},
    };
    for (const Probe& p : probes) EXPECT_EQ(ImagePixel(screen, p.x, p.y), p.expected) << p.what;
    EXPECT_EQ(GreenPixels(screen), 0) << "the hidden ellipse";
}

TEST_F(VectorDrawingTest, RepaintsWhenTheLayerChanges) {
    PaintCounter paints(widget.viewport());
    QApplication::processEvents();
    const int before = paints.count;
    view.Layer().SetObjBackTo(box);
    view.Layer().SetObjStyle(ellipse, kStyleVisible);
    QApplication::processEvents();
    EXPECT_GT(paints.count, before);

    const QImage screen = Screen();
    EXPECT_EQ(ImagePixel(screen, 48, 51), kShownRed) << "the line now lies in front of the box";
    EXPECT_GT(GreenPixels(screen), 40) << "the ellipse's outline";
    EXPECT_EQ(ImagePixel(screen, 80, 20), kShownWhite) << "the ellipse is not filled";
    EXPECT_EQ(ImagePixel(screen, 71, 11), kShownWhite) << "nor drawn as a box";
}

TEST_F(VectorDrawingTest, ZoomedAndScrolledObjectsStayOnTheirImagePixels) {
    widget.SetZoom(3.0);
    widget.SetViewX(60);
    widget.SetViewY(90);
    const QImage screen = Screen();
    EXPECT_EQ(ImagePixel(screen, 40, 55), kShownYellow);
    // Image x 30 starts at 3 * 30 - 60 = 30 on screen, image y 52 at 3 * 52 - 90 = 66:
    // the box's one-pixel edge is there, and the fill right beside it.
    EXPECT_EQ(screen.pixelColor(30, 67), kShownBlue);
    EXPECT_EQ(screen.pixelColor(29, 67), kShownWhite);
    EXPECT_EQ(screen.pixelColor(31, 67), kShownYellow);
    // The line starts at (3 * 55 - 60, 3 * 58 - 90) = (105, 84) and runs up-left
    // diagonally, so it crosses (60, 39).
    EXPECT_EQ(screen.pixelColor(60, 39), kShownRed);
    EXPECT_EQ(screen.pixelColor(61, 39), kShownWhite);
}

TEST_F(VectorDrawingTest, MouseEventsGoOnlyToTheInstalledHandlers) {
    struct Received {
        char kind;
        Qt::MouseButton button;
        int x, y;
        ImageViewWidget* sender;
    };
    std::vector<Received> received;
    auto recorder = [&received](char kind) {
        return [&received, kind](ImageViewWidget& sender, Qt::MouseButton button, Qt::KeyboardModifiers,
                                 int x, int y) {
            received.push_back({kind, button, x, y, &sender});
        };
    };
    const VectorLayer before = view.Layer();
    const QImage screenBefore = Screen();

    // Without handlers a press, a drag and a release change nothing.
    QTest::mousePress(widget.viewport(), Qt::LeftButton, {}, QPoint(40, 55));
    QTest::mouseMove(widget.viewport(), QPoint(10, 10));
    QTest::mouseRelease(widget.viewport(), Qt::LeftButton, {}, QPoint(10, 10));

    widget.SetOnMouseDown(recorder('d'));
    widget.SetOnMouseMove(recorder('m'));
    widget.SetOnMouseUp(recorder('u'));
    QTest::mousePress(widget.viewport(), Qt::RightButton, {}, QPoint(40, 55));
    QTest::mouseMove(widget.viewport(), QPoint(31, 52));
    QTest::mouseRelease(widget.viewport(), Qt::RightButton, {}, QPoint(31, 52));

    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0].kind, 'd');
    EXPECT_EQ(received[0].button, Qt::RightButton);
    EXPECT_EQ(received[0].x, 40);
    EXPECT_EQ(received[0].y, 55);
    EXPECT_EQ(received[1].kind, 'm');
    EXPECT_EQ(received[1].x, 31);
    EXPECT_EQ(received[2].kind, 'u');
    EXPECT_EQ(received[2].y, 52);
    for (const Received& r : received) EXPECT_EQ(r.sender, &widget);

    for (ObjectHandle handle : {line, box, ellipse}) {
        EXPECT_EQ(*view.Layer().FindObject(handle), *before.FindObject(handle));
    }
    EXPECT_EQ(view.Layer().SelObjectsCount(), 0);
    EXPECT_EQ(Screen(), screenBefore);
}

TEST_F(ImageViewWidgetTest, ShowsTheCursorItIsGiven) {
    ShowImage(CoordinateBitmap(20, 20));
    const std::pair<ViewCursor, Qt::CursorShape> cases[] = {
        {ViewCursor::CrossHair, Qt::CrossCursor},
        {ViewCursor::HandPoint, Qt::PointingHandCursor},
        {ViewCursor::Default, Qt::ArrowCursor},
    };
    for (const auto& [cursor, shape] : cases) {
        widget.SetViewCursor(cursor);
        EXPECT_EQ(widget.Cursor(), cursor);
        EXPECT_EQ(widget.viewport()->cursor().shape(), shape);
    }
}

}  // namespace
}  // namespace kavrell::ui

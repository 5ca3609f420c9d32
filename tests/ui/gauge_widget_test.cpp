#include "gauge_widget.h"

#include <gtest/gtest.h>

#include <QTest>

#include "widget_testing.h"

namespace kavrell::ui {
namespace {

TEST(GaugeWidgetTest, RepaintsAtOnceOnEveryChange) {
    ProgressGauge gauge;
    {
        GaugeWidget widget(gauge);
        widget.resize(202, 25);
        widget.SetBarColor(QColor(0, 48, 96));
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        test::PaintCounter paints(&widget);

        // No event is processed in between: the way a generation run moves it.
        for (int value : {0, 40, 100}) {
            const int before = paints.count;
            gauge.SetProgress(value);
            EXPECT_EQ(paints.count, before + 1) << value;
            EXPECT_EQ(widget.FilledRect().width(), 2 * value) << value;
        }
        gauge.SetProgress(40);
        const QImage screen = widget.grab().toImage();
        EXPECT_EQ(screen.pixelColor(20, 3), QColor(0, 48, 96));
        EXPECT_EQ(screen.pixelColor(150, 3), QColor(255, 255, 255));
    }
    // The gauge outlives its widget and may still move.
    gauge.SetProgress(70);
    EXPECT_EQ(gauge.Progress(), 70);
}

}  // namespace
}  // namespace kavrell::ui

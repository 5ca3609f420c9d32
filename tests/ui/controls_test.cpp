#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QTest>

#include "button_pictures.h"
#include "flat_panel.h"
#include "gauge_widget.h"
#include "notebook.h"
#include "speed_button.h"
#include "spin_edit.h"
#include "track_bar.h"
#include "widget_testing.h"

namespace kavrell::ui {
namespace {

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }

TEST(SpeedButtonTest, GroupedButtonsStayDownAndReleaseEachOther) {
    QWidget parent;
    SpeedButton mesh(ButtonLook::Selector, &parent), field(ButtonLook::Selector, &parent),
        add(ButtonLook::Selector, &parent), plain(ButtonLook::Command, &parent);
    mesh.SetGroupIndex(50);
    field.SetGroupIndex(50);
    add.SetGroupIndex(80);
    add.SetAllowAllUp(true);
    mesh.SetDown(true);
    add.SetDown(true);
    parent.show();
    int clicks = 0;
    QObject::connect(&field, &SpeedButton::clicked, [&clicks] { ++clicks; });

    Click(&field);
    EXPECT_TRUE(field.Down());
    EXPECT_FALSE(mesh.Down()) << "the other button of the group is released";
    EXPECT_TRUE(add.Down()) << "another group is left alone";
    Click(&field);
    EXPECT_TRUE(field.Down()) << "without all-up the group keeps one button down";
    EXPECT_EQ(clicks, 2);

    Click(&add);
    EXPECT_FALSE(add.Down()) << "with all-up a click releases the button";
    Click(&add);
    EXPECT_TRUE(add.Down());

    Click(&plain);
    EXPECT_FALSE(plain.Down()) << "a button without a group does not stay down";
}

TEST(SpeedButtonTest, EachLookPaintsItsFaces) {
    QWidget parent;
    parent.resize(200, 40);
    const ButtonLook looks[] = {ButtonLook::Selector, ButtonLook::Command, ButtonLook::Execute,
                                ButtonLook::ViewTool};
    for (ButtonLook look : looks) {
        SpeedButton button(look, &parent);
        button.SetGroupIndex(1);
        button.SetAllowAllUp(true);
        button.setGeometry(0, 0, 100, 23);
        const ButtonColors colors = ColorsOf(look);
        const QColor up = colors.face.isValid() ? colors.face : parent.palette().color(QPalette::Window);
        EXPECT_EQ(button.grab().toImage().pixelColor(5, 5), up) << int(look);
        button.SetDown(true);
        EXPECT_EQ(button.grab().toImage().pixelColor(5, 5), colors.downFace) << int(look);
    }
    EXPECT_EQ(ColorsOf(ButtonLook::Selector).face, QColor(0x00, 0x30, 0x60));
    EXPECT_EQ(ColorsOf(ButtonLook::Selector).hotFace, QColor(0x9C, 0xAE, 0xCE));
    EXPECT_EQ(ColorsOf(ButtonLook::Execute).hotFace, QColor(0xDF, 0xDF, 0x00));
    EXPECT_EQ(ColorsOf(ButtonLook::ViewTool).downFace, QColor(0xBC, 0xDA, 0x24));
}

TEST(SpinEditTest, KeepsValuesWithinItsLimitsWhenTypingAndStepping) {
    struct Case {
        int minimum, maximum, initial;
        const char* typed;
        int expected;
    };
    const Case cases[] = {
        {0, 100, 12, "250", 100},
        {0, 100, 10, "-7", 0},
        {1, 100, 10, "0", 1},
        {1, 100, 10, "57", 57},
    };
    for (const Case& c : cases) {
        SpinEdit edit(c.minimum, c.maximum, c.initial);
        edit.show();
        EXPECT_EQ(edit.value(), c.initial);
        QLineEdit* line = edit.findChild<QLineEdit*>();
        ASSERT_NE(line, nullptr);
        line->selectAll();
        QTest::keyClicks(line, QString::fromLatin1(c.typed));
        QTest::keyClick(line, Qt::Key_Return);
        EXPECT_EQ(edit.value(), c.expected) << c.typed;
        EXPECT_EQ(line->text(), QString::number(c.expected)) << c.typed;
    }

    SpinEdit edit(0, 100, 99);
    edit.show();
    QTest::keyClick(&edit, Qt::Key_Up);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.value(), 100);
    edit.setValue(1);
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.value(), 0);
}

TEST(NotebookTest, SwitchesTablessPagesByIndex) {
    Notebook book;
    for (const char* name : {"ProgressPage", "MeshWarpPage", "FieldWarpPage"})
        book.AddPage(QLatin1String(name));
    book.SetPageIndex(2);
    EXPECT_EQ(book.PageIndex(), 2);
    EXPECT_EQ(book.currentWidget()->objectName(), QStringLiteral("FieldWarpPage"));
    book.SetPageIndex(1);
    EXPECT_EQ(book.currentWidget()->objectName(), QStringLiteral("MeshWarpPage"));
}

TEST(TxTrackBarTest, ShowsTheSelectionRangeOnlyWhenEnabled) {
    TxTrackBar bar;
    EXPECT_FALSE(bar.EnableSelRange());
    bar.resize(185, 22);
    bar.setRange(0, 10);
    bar.SetSelection(2, 8);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    const QImage without = bar.grab().toImage();
    QTest::qWait(20);  // the first paint after showing
    test::PaintCounter paints(&bar);

    bar.SetEnableSelRange(false);
    QApplication::processEvents();
    EXPECT_EQ(paints.count, 0) << "setting the same value again does nothing";

    bar.SetEnableSelRange(true);
    QApplication::processEvents();
    EXPECT_GT(paints.count, 0) << "a new value rebuilds the look";
    const QImage with = bar.grab().toImage();
    const QColor band = bar.palette().color(QPalette::Highlight);
    EXPECT_EQ(with.pixelColor(bar.PositionOf(5), 11), band);
    EXPECT_NE(without.pixelColor(bar.PositionOf(5), 11), band);
    EXPECT_NE(with.pixelColor(bar.PositionOf(9) + 2, 11), band) << "outside the range";

    const int before = paints.count;
    bar.SetEnableSelRange(true);
    QApplication::processEvents();
    EXPECT_EQ(paints.count, before);

    bar.SetEnableSelRange(false);
    EXPECT_EQ(bar.grab().toImage(), without);
}

TEST(ButtonPicturesTest, DrawsEachPictureAtItsSizeWithItsColours) {
    struct Case {
        ButtonPicture picture;
        int side;
        std::vector<QColor> colours;
        bool transparentCorner;
    };
    const QColor black(0, 0, 0), green(0, 128, 0), aqua(0, 255, 255), yellow(255, 255, 0), olive(128, 128, 0),
        silver(192, 192, 192);
    const Case cases[] = {
        {ButtonPicture::Center, 16, {black, green}, true},
        {ButtonPicture::Fit, 22, {black, aqua, yellow, olive}, true},
        {ButtonPicture::ZoomIn, 17, {black}, true},
        {ButtonPicture::ZoomOut, 17, {black}, true},
        {ButtonPicture::Begin, 20, {black, silver}, false},
        {ButtonPicture::Play, 20, {black, silver}, false},
        {ButtonPicture::End, 20, {black, silver}, false},
    };
    for (const Case& c : cases) {
        const QImage image = DrawButtonPicture(c.picture).toImage();
        EXPECT_EQ(image.size(), QSize(c.side, c.side)) << int(c.picture);
        EXPECT_EQ(image.pixelColor(0, c.side - 1).alpha() == 0, c.transparentCorner) << int(c.picture);
        for (const QColor& colour : c.colours) {
            int found = 0;
            for (int y = 0; y < c.side; ++y) {
                for (int x = 0; x < c.side; ++x) found += image.pixelColor(x, y) == colour;
            }
            EXPECT_GT(found, 0) << int(c.picture) << " lacks " << colour.name().toStdString();
        }
    }
    // Plus and minus differ only in the plus sign's upright stroke.
    EXPECT_NE(DrawButtonPicture(ButtonPicture::ZoomIn).toImage(),
              DrawButtonPicture(ButtonPicture::ZoomOut).toImage());
    EXPECT_NE(DrawButtonPicture(ButtonPicture::Begin).toImage(),
              DrawButtonPicture(ButtonPicture::End).toImage());
}

// The editor's controls side by side, for a person to judge.
TEST(ControlsScreenshot, ShowsTheButtonLooksAndViewToolPictures) {
    ProgressGauge progress;  // outlives the panel and its gauge widget
    QWidget panel;
    panel.resize(560, 210);
    auto* toolbar = new FlatPanel(&panel);
    toolbar->setGeometry(0, 0, 560, 41);
    const ButtonPicture tools[] = {ButtonPicture::Center, ButtonPicture::Fit, ButtonPicture::ZoomIn,
                                   ButtonPicture::ZoomOut};
    // Both views' four tools; the left centre button is down.
    for (int view = 0; view < 2; ++view) {
        for (int i = 0; i < 4; ++i) {
            auto* button = new SpeedButton(ButtonLook::ViewTool, toolbar);
            button->setGeometry(6 + 26 * i + 280 * view, 8, 25, 25);
            button->SetPicture(DrawButtonPicture(tools[i]));
            if (i == 0) {
                button->SetGroupIndex(20 + 20 * view);
                button->SetAllowAllUp(true);
                button->SetDown(view == 0);
            }
        }
    }
    auto* check = new QCheckBox(QStringLiteral("Move src. && dest. "), toolbar);
    check->move(140, 12);
    check->adjustSize();

    auto* bottom = new FlatPanel(&panel);
    bottom->setGeometry(0, 41, 560, 169);
    auto* mesh = new SpeedButton(ButtonLook::Selector, bottom);
    mesh->setText(QStringLiteral("Mesh 2-pass"));
    mesh->setGeometry(96, 8, 100, 23);
    mesh->SetGroupIndex(50);
    mesh->SetDown(true);
    auto* field = new SpeedButton(ButtonLook::Selector, bottom);
    field->setText(QStringLiteral("Field warping"));
    field->setGeometry(208, 8, 100, 23);
    field->SetGroupIndex(50);
    auto* preview = new SpeedButton(ButtonLook::Command, bottom);
    preview->setText(QStringLiteral("Morph preview"));
    preview->setGeometry(208, 37, 156, 23);
    auto* execute = new SpeedButton(ButtonLook::Execute, bottom);
    execute->setText(QStringLiteral("Execute morphing"));
    execute->setGeometry(208, 64, 156, 23);
    auto* clear = new SpeedButton(ButtonLook::Command, bottom);
    clear->setText(QStringLiteral("Clear"));
    clear->SetTextColor(QColor(255, 0, 0));
    clear->setGeometry(380, 64, 100, 23);
    auto* label = new QLabel(QStringLiteral("Frames"), bottom);
    label->setGeometry(10, 43, 45, 17);
    auto* frames = new SpinEdit(0, 100, 12, bottom);
    frames->setGeometry(59, 41, 54, 21);
    auto* linear = new QRadioButton(QStringLiteral("Linear"), bottom);
    linear->setGeometry(380, 10, 100, 17);
    linear->setChecked(true);
    auto* catmull = new QRadioButton(QStringLiteral("Catmull-Rom"), bottom);
    catmull->setGeometry(380, 34, 100, 17);
    progress.SetProgress(45);
    auto* gauge = new GaugeWidget(progress, bottom);
    gauge->SetBorderColor(QColor(0xA0, 0x96, 0x83));
    gauge->setGeometry(10, 100, 369, 25);
    for (int i = 0; i < 3; ++i) {
        auto* player = new SpeedButton(ButtonLook::Flat, bottom);
        player->setGeometry(400 + 25 * i, 100, 25, 25);
        player->SetPicture(DrawButtonPicture(static_cast<ButtonPicture>(int(ButtonPicture::Begin) + i)));
    }
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const std::string path = test::SaveScreenshot(panel, QStringLiteral("controls"));
    EXPECT_FALSE(QImage(QString::fromStdString(path)).isNull()) << path;
}

}  // namespace
}  // namespace kavrell::ui

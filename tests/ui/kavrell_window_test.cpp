#include "kavrell_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "gauge_widget.h"
#include "image_view_widget.h"
#include "message_dialogs.h"
#include "morph/editor_model.h"
#include "morph_player_window.h"
#include "notebook.h"
#include "platform/message_service.h"
#include "speed_button.h"
#include "spin_edit.h"
#include "support/fake_host.h"
#include "support/test_images.h"
#include "widget_testing.h"

namespace kavrell::ui {
namespace {

using test::FakeHost;
using test::GradientBitmap;
using test::SolidBitmap;
using test::WhenShown;

constexpr QRgb kAquaPixel = 0xFF00FFFF;

// The texts of the message boxes answered so far.
using ShownTexts = std::shared_ptr<std::vector<QString>>;

// Answers the next message box by clicking one of its buttons.
ShownTexts AnswerMessage(QMessageBox::StandardButton which,
                         ShownTexts texts = std::make_shared<std::vector<QString>>()) {
    WhenShown<QMessageBox>([texts, which](QMessageBox& box) {
        texts->push_back(box.text());
        QTest::mouseClick(box.button(which), Qt::LeftButton);
    });
    return texts;
}

// Saves (or, in a preview, closes) the player when it shows; records whether
// its save button was there.
struct PlayerVisit {
    bool shown = false;
    bool saveVisible = false;
};
std::shared_ptr<PlayerVisit> LeavePlayer(bool save) {
    auto visit = std::make_shared<PlayerVisit>();
    WhenShown<TfrmMorphPlayer>([visit, save](TfrmMorphPlayer& player) {
        visit->shown = true;
        auto* button = player.findChild<SpeedButton*>(QStringLiteral("lbSaveClose"));
        visit->saveVisible = button->isVisible();
        if (save) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            player.close();
        }
    });
    return visit;
}

int CountPixels(const QImage& image, QRgb colour, QRect within) {
    int count = 0;
    within &= image.rect();
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x) count += image.pixel(x, y) == colour;
    }
    return count;
}

class KavrellWindowTest : public ::testing::Test {
protected:
    void SetUp() override { InstallWidgetDialogs(); }
    void TearDown() override {
        if (window) window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        InstallDialogHandler({});
    }

    // Creates the editor as the plug-in does and shows it; the host gives
    // current and next.
    void Open(const Bitmap& current, const Bitmap* next) {
        host.GiveFrames(current, next);
        window = new TfrmKavrell();
        frmKavrell = window;
        window->SetCallback(host.Callback());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    template <typename W = QWidget>
    W* Find(const char* name) {
        W* widget = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void Click(const char* name) { QTest::mouseClick(Find<QAbstractButton>(name), Qt::LeftButton); }

    ImageViewWidget& View(ViewId id) {
        return *Find<ImageViewWidget>(id == ViewId::Left ? "VectLeft" : "VectRight");
    }
    EditorModel& Model() { return window->Model(); }
    const WarpObjStru& Warp() { return *Model().Warp(); }

    // The view position that shows image pixel p, checked through the view's
    // own conversion.
    QPoint At(ViewId id, Point32 p) {
        ImageViewWidget& view = View(id);
        const QPoint at(int((p.x + 0.5) * view.Zoom()), int((p.y + 0.5) * view.Zoom()));
        EXPECT_EQ(view.XScr2Bmp(at.x()), p.x);
        EXPECT_EQ(view.YScr2Bmp(at.y()), p.y);
        return at;
    }
    void Hover(ViewId id, Point32 p) { QTest::mouseMove(View(id).viewport(), At(id, p)); }
    void Drag(ViewId id, Point32 from, Point32 to) {
        QWidget* area = View(id).viewport();
        Hover(id, from);  // the pointer reaches the point before the press
        QTest::mousePress(area, Qt::LeftButton, {}, At(id, from));
        QTest::mouseMove(area, At(id, to));
        QTest::mouseRelease(area, Qt::LeftButton, {}, At(id, to));
    }
    void PressAt(ViewId id, Point32 p) { Drag(id, p, p); }

    // Both views at twice the size, so every position is converted.
    void ZoomInBoth() {
        Click("lbZoomInLeft");
        Click("lbZoomInRight");
        ASSERT_EQ(View(ViewId::Left).Zoom(), 2.0);
        ASSERT_EQ(View(ViewId::Right).Zoom(), 2.0);
    }

    void CreateMesh(int cols, int rows) {
        Find<SpinEdit>("WarpMesh_ed1")->setValue(cols);
        Find<SpinEdit>("WarpMesh_ed2")->setValue(rows);
        Click("lbNewMesh");
    }

    // Two polylines with a break between them, in the left view.
    void DrawTwoPolylines() {
        Click("lbField");
        Drag(ViewId::Left, {20, 15}, {60, 20});
        PressAt(ViewId::Left, {90, 30});
        Click("lbFieldBreak");
        Drag(ViewId::Left, {25, 60}, {95, 65});
    }

    // The host calls after the fetch: commands 3 or 4.
    std::vector<FakeHost::Call> HandedFrames() const {
        return std::vector<FakeHost::Call>(host.calls.begin() + 2, host.calls.end());
    }

    // Generates, from the record as it stands, what the editor model makes
    // headless of the same images and settings.
    FrameList HeadlessSequence(const Bitmap& current, const Bitmap* next, int frames, int delay) {
        auto record = std::make_unique<WarpObjStru>(Warp());
        EditorModel headless;
        headless.Show(current, next);
        *headless.Warp() = *record;
        headless.SetFrameCount(frames);
        headless.SetDelay(delay);
        EXPECT_EQ(headless.Generate(false), GenerationResult::Completed);
        return headless.Sequence();
    }

    void ExpectClosed() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
        EXPECT_EQ(frmKavrell, nullptr);
    }

    const Bitmap source = GradientBitmap(120, 80);
    const Bitmap destination = SolidBitmap(120, 80, 200, 40, 90);
    FakeHost host;
    QPointer<TfrmKavrell> window;
};

TEST_F(KavrellWindowTest, MovedMeshIsGeneratedSavedAndHandedToTheHost) {
    host.frameNumberAtGet = 40;
    ASSERT_NO_FATAL_FAILURE(Open(source, &destination));
    EXPECT_EQ(Find<QLabel>("labMorphMode")->text(), QStringLiteral("Full morphing mode"));
    ASSERT_NO_FATAL_FAILURE(ZoomInBoth());
    CreateMesh(3, 2);
    ASSERT_EQ(Warp().meshCols, 3);
    ASSERT_EQ(Warp().meshRows, 2);

    // Hovering a node of the destination shows the hand there and the
    // partner's aqua circle around the same node in the source view.
    const Point32 node = Warp().dstNodes[2][1];
    const QPoint partner = At(ViewId::Left, Warp().srcNodes[2][1]);
    const QRect around(partner - QPoint(24, 24), QSize(48, 48));
    EXPECT_EQ(CountPixels(View(ViewId::Left).viewport()->grab().toImage(), kAquaPixel, around), 0);
    Hover(ViewId::Right, node);
    EXPECT_EQ(View(ViewId::Right).Cursor(), ViewCursor::HandPoint);
    EXPECT_GT(CountPixels(View(ViewId::Left).viewport()->grab().toImage(), kAquaPixel, around), 20);
    Hover(ViewId::Right, {node.x + 15, node.y + 12});
    EXPECT_EQ(View(ViewId::Right).Cursor(), ViewCursor::CrossHair);

    const Point32 moved{node.x + 9, node.y - 7};
    Drag(ViewId::Right, node, moved);
    EXPECT_EQ(Warp().dstNodes[2][1], moved);
    EXPECT_EQ(Warp().srcNodes[2][1], node);
    test::SaveScreenshot(*window, QStringLiteral("editor_moved_mesh"));

    Find<SpinEdit>("Frames_ed")->setValue(4);
    Find<SpinEdit>("Delay_ed")->setValue(7);
    const FrameList expected = HeadlessSequence(source, &destination, 4, 7);

    // A picture of the progress page while the gauge is part-way: the gauge's
    // listener repaints the gauge as the window's does, then takes it.
    auto* gauge = Find<GaugeWidget>("ProgressBar");
    bool pictured = false;
    Model().Gauge().SetListener([&](int32_t progress) {
        gauge->repaint();
        if (pictured || progress < 30 || progress > 70) return;
        pictured = true;
        EXPECT_EQ(Find<Notebook>("OvcBook")->PageIndex(), 0);
        EXPECT_TRUE(QApplication::overrideCursor() &&
                    QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        test::SaveScreenshot(*window, QStringLiteral("editor_generating"));
    });

    const auto player = LeavePlayer(true);
    Click("lbMeshExecute");
    EXPECT_TRUE(player->shown && player->saveVisible);
    EXPECT_TRUE(pictured);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const std::vector<FakeHost::Call> handed = HandedFrames();
    ASSERT_EQ(handed.size(), size_t(expected.Count()));
    ASSERT_GT(expected.Count(), 2);
    for (size_t k = 0; k < handed.size(); ++k) {
        EXPECT_EQ(handed[k].command, hcAddMorphFrame);
        EXPECT_EQ(handed[k].frameNumber, 41 + int(k));
        EXPECT_EQ(handed[k].delayMs, 70);
        ASSERT_TRUE(handed[k].frame.has_value());
        EXPECT_EQ(*handed[k].frame, expected.Frame(int(k))) << "frame " << k;
    }
    ExpectClosed();
}

TEST_F(KavrellWindowTest, FieldLinesDrawnMovedAndGenerated) {
    ASSERT_NO_FATAL_FAILURE(Open(source, &destination));
    ASSERT_NO_FATAL_FAILURE(ZoomInBoth());
    DrawTwoPolylines();
    EXPECT_EQ(Find<Notebook>("OvcBook")->PageIndex(), 2);
    ASSERT_EQ(Warp().pointCount, 6);  // three points, the break, two points
    EXPECT_EQ(Find<QLabel>("WField_lab2")->text(), QStringLiteral("6"));
    EXPECT_EQ(Find<QLabel>("WField_lab3")->text(), QStringLiteral("994"));

    Click("lbFieldAdd");
    EXPECT_EQ(Find<SpeedButton>("lbFieldAdd")->text(), QStringLiteral("Move pts."));
    const Point32 point = Warp().dstPoints[1];
    Hover(ViewId::Right, point);
    EXPECT_EQ(View(ViewId::Right).Cursor(), ViewCursor::HandPoint);
    const Point32 moved{point.x - 6, point.y + 11};
    Drag(ViewId::Right, point, moved);
    EXPECT_EQ(Warp().dstPoints[1], moved);
    EXPECT_EQ(Warp().srcPoints[1], point);
    test::SaveScreenshot(*window, QStringLiteral("editor_polylines"));

    const FrameList expected = HeadlessSequence(source, &destination, 12, 10);
    LeavePlayer(true);
    Click("lbMeshExecute");
    const std::vector<FakeHost::Call> handed = HandedFrames();
    ASSERT_EQ(handed.size(), size_t(expected.Count()));
    EXPECT_EQ(*handed[5].frame, expected.Frame(5));
    EXPECT_EQ(handed[5].delayMs, 100);
    ExpectClosed();
}

TEST_F(KavrellWindowTest, GeneratingWithoutControlPointsShowsMessageTwoForEitherMethod) {
    for (const char* method : {"lbMesh", "lbField"}) {
        ASSERT_NO_FATAL_FAILURE(Open(source, &destination));
        Click(method);
        const ShownTexts texts = AnswerMessage(QMessageBox::Ok);
        Click("lbMeshExecute");
        ASSERT_EQ(texts->size(), 1u) << method;
        EXPECT_EQ(texts->front(), QStringLiteral("No morphing control points. Action suspended!"));
        EXPECT_EQ(Model().Sequence().Count(), 0);
        EXPECT_EQ(host.calls.size(), 2u);
        EXPECT_TRUE(window->isVisible());
        window->close();
        ExpectClosed();
        host.calls.clear();
    }
}

TEST_F(KavrellWindowTest, LineBreakNeedsAPointAndAddsOneBreakOnly) {
    ASSERT_NO_FATAL_FAILURE(Open(source, &destination));
    Click("lbField");
    Click("lbFieldBreak");
    EXPECT_EQ(Warp().pointCount, 0);
    PressAt(ViewId::Left, {30, 30});
    ASSERT_EQ(Warp().pointCount, 2);  // a new polyline starts with two points
    Click("lbFieldBreak");
    Click("lbFieldBreak");
    EXPECT_EQ(Warp().pointCount, 3);
    // The labels are not refreshed by a break; a press in move mode adds
    // nothing but refreshes them.
    EXPECT_EQ(Find<QLabel>("WField_lab2")->text(), QStringLiteral("2"));
    Click("lbFieldAdd");
    PressAt(ViewId::Right, {100, 70});
    EXPECT_EQ(Warp().pointCount, 3);
    EXPECT_EQ(Find<QLabel>("WField_lab2")->text(), QStringLiteral("3"));
    EXPECT_EQ(Find<QLabel>("WField_lab3")->text(), QStringLiteral("997"));
}

TEST_F(KavrellWindowTest, ClearAsksFirstAndNoKeepsEveryPoint) {
    struct Case {
        const char* method;
        const char* clear;
    };
    for (const Case& c : {Case{"lbMesh", "LbClearMesh"}, Case{"lbField", "lbFieldClear"}}) {
        ASSERT_NO_FATAL_FAILURE(Open(source, &destination));
        CreateMesh(2, 2);
        Click("lbField");
        DrawTwoPolylines();
        Click(c.method);
        const auto before = std::make_unique<WarpObjStru>(Warp());

        const ShownTexts no = AnswerMessage(QMessageBox::No);
        Click(c.clear);
        ASSERT_EQ(no->size(), 1u);
        EXPECT_TRUE(no->front().startsWith(QStringLiteral("Deleting all control points")));
        EXPECT_EQ(std::memcmp(before.get(), &Warp(), sizeof(WarpObjStru)), 0) << c.clear;

        const ShownTexts yes = AnswerMessage(QMessageBox::Yes);
        Click(c.clear);
        ASSERT_EQ(yes->size(), 1u);
        const bool mesh = std::string(c.method) == "lbMesh";
        EXPECT_EQ(Warp().meshCols, mesh ? 0 : 2) << c.clear;
        EXPECT_EQ(Warp().pointCount, mesh ? 6 : 0) << c.clear;
        EXPECT_EQ(Find<QLabel>("WField_lab2")->text(), QString::number(Warp().pointCount));
        window->close();
        ExpectClosed();
    }
}

TEST_F(KavrellWindowTest, APreviewHasNoSaveAndClosingItKeepsTheEditor) {
    ASSERT_NO_FATAL_FAILURE(Open(source, &destination));
    CreateMesh(3, 2);
    const auto player = LeavePlayer(false);
    Click("lbMeshPreview");
    EXPECT_TRUE(player->shown);
    EXPECT_FALSE(player->saveVisible);
    EXPECT_EQ(host.calls.size(), 2u);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Warp().meshCols, 3);
    EXPECT_GT(Model().Sequence().Count(), 0);
    // Preview frames are the small copies.
    EXPECT_EQ(Model().Sequence().Frame(0).Width(), 200);
    EXPECT_EQ(Find<Notebook>("OvcBook")->PageIndex(), 1);
}

struct HostFramesCase {
    std::string name;
    bool hasNext;
    int nextWidth, nextHeight;
    bool malformedNext;
    const char* label;
    bool imagesPresent;
};

class HostFramesTest : public KavrellWindowTest, public ::testing::WithParamInterface<HostFramesCase> {};

TEST_P(HostFramesTest, TheViewsShowWhatTheHostGave) {
    const HostFramesCase& c = GetParam();
    const Bitmap next = SolidBitmap(c.nextWidth, c.nextHeight, 10, 220, 40);
    if (c.malformedNext) host.rawNext = HostBitmap{c.nextWidth, c.nextHeight, hpfRgb24, 0, nullptr, 0};
    const ShownTexts texts = std::make_shared<std::vector<QString>>();
    if (!c.imagesPresent) AnswerMessage(QMessageBox::Ok, texts);
    ASSERT_NO_FATAL_FAILURE(Open(source, c.hasNext ? &next : nullptr));
    QCoreApplication::processEvents();
    EXPECT_EQ(host.Commands(), (std::vector<int32_t>{hcGetFrames, hcFramesDone}));
    EXPECT_EQ(Find<QLabel>("labMorphMode")->text(), QString::fromLatin1(c.label));
    EXPECT_EQ(texts->size(), c.imagesPresent ? 0u : 1u);
    EXPECT_EQ(Model().ImagesPresent(), c.imagesPresent);
    if (!c.imagesPresent) return;

    const Bitmap& right = Model().View(ViewId::Right).Image();
    EXPECT_EQ(right.Width(), source.Width());
    EXPECT_EQ(right.Height(), source.Height());
    if (!c.hasNext) {
        EXPECT_EQ(right, source);
    }
    CreateMesh(2, 1);
    Find<SpinEdit>("Frames_ed")->setValue(2);
    LeavePlayer(true);
    Click("lbMeshExecute");
    const std::vector<FakeHost::Call> handed = HandedFrames();
    ASSERT_FALSE(handed.empty());
    for (const FakeHost::Call& call : handed)
        EXPECT_EQ(call.command, c.hasNext ? hcAddMorphFrame : hcAddWarpFrame);
    EXPECT_EQ(handed.front().frame->Width(), source.Width());
    ExpectClosed();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostFramesTest,
    ::testing::Values(HostFramesCase{"WarpOnly", false, 1, 1, false, "Warp only mode", true},
                      HostFramesCase{"NextOfAnotherSize", true, 60, 100, false, "Full morphing mode", true},
                      HostFramesCase{"MalformedNext", true, 60, 100, true, "Full morphing mode", false}),
    [](const auto& info) { return info.param.name; });

TEST_F(KavrellWindowTest, WindowAndControlsAreLaidOutAsDesigned) {
    ASSERT_NO_FATAL_FAILURE(Open(source, &destination));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kavrell v.2.1"));
    EXPECT_EQ(window->frameGeometry().size(), QSize(858, 575));
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(Find<QWidget>("PanelLeft")->width(), 420);
    EXPECT_EQ(Find<QWidget>("PanelTopLeft")->height(), 41);
    EXPECT_EQ(Find<QWidget>("PanelBottom")->height(), 96);
    EXPECT_EQ(Find<QWidget>("PanelBotLeft")->width(), 423);
    EXPECT_EQ(Find<QWidget>("ProgressBar")->geometry(), QRect(40, 32, 369, 25));

    struct ButtonCase {
        const char* name;
        int tag;
        QRect geometry;
        const char* caption;
        const char* hint;
        ButtonLook look;
    };
    const ButtonCase buttons[] = {
        {"lbCenterLeft", 20, {6, 8, 25, 25}, "", "center image", ButtonLook::ViewTool},
        {"lbZoomFitLeft", 21, {32, 8, 25, 25}, "", "zoom to fit", ButtonLook::ViewTool},
        {"lbZoomInLeft", 22, {57, 8, 25, 25}, "", "zoom in 2", ButtonLook::ViewTool},
        {"lbZoomOutLeft", 23, {82, 8, 25, 25}, "", "zoom out 2", ButtonLook::ViewTool},
        {"lbCenterRight", 40, {15, 8, 25, 25}, "", "center image", ButtonLook::ViewTool},
        {"lbZoomFitRight", 41, {41, 8, 25, 25}, "", "zoom to fit", ButtonLook::ViewTool},
        {"lbZoomInRight", 42, {66, 8, 25, 25}, "", "zoom in 2", ButtonLook::ViewTool},
        {"lbZoomOutRight", 43, {91, 8, 25, 25}, "", "zoom out 2", ButtonLook::ViewTool},
        {"lbMesh", 50, {96, 8, 100, 23}, "Mesh 2-pass", "select mesh 2- pass method", ButtonLook::Selector},
        {"lbField",
         51,
         {208, 8, 100, 23},
         "Field warping",
         "select field warping method",
         ButtonLook::Selector},
        {"lbMeshPreview",
         71,
         {208, 37, 156, 23},
         "Morph preview",
         "execute morphing sequence on smaller image",
         ButtonLook::Command},
        {"lbMeshExecute",
         52,
         {208, 64, 156, 23},
         "Execute morphing",
         "execute morphing sequence",
         ButtonLook::Execute},
        {"lbNewMesh", 60, {280, 35, 100, 23}, "Create mesh", "create new mesh", ButtonLook::Command},
        {"LbClearMesh", 61, {280, 64, 100, 23}, "Clear", "clear current mesh", ButtonLook::Command},
        {"lbFieldAdd", 80, {144, 32, 100, 23}, "Add pts.", "add pts./move pts. toggle", ButtonLook::Selector},
        {"lbFieldBreak",
         81,
         {264, 32, 100, 23},
         "Line break",
         "break - prepare for new polyline",
         ButtonLook::Command},
        {"lbFieldClear", 82, {264, 64, 100, 23}, "Clear", "delete current polylines", ButtonLook::Command},
    };
    for (const ButtonCase& b : buttons) {
        auto* button = Find<SpeedButton>(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Tag(), b.tag) << b.name;
        EXPECT_EQ(button->geometry(), b.geometry) << b.name;
        EXPECT_EQ(button->text(), QString::fromLatin1(b.caption)) << b.name;
        EXPECT_EQ(button->toolTip(), QString::fromLatin1(b.hint)) << b.name;
        EXPECT_EQ(button->Look(), b.look) << b.name;
    }
    EXPECT_EQ(Find<SpeedButton>("LbClearMesh")->TextColor(), QColor(Qt::red));
    EXPECT_TRUE(Find<SpeedButton>("lbMesh")->Down());
    EXPECT_TRUE(Find<SpeedButton>("lbFieldAdd")->Down());
    auto* moveAll = Find<QCheckBox>("MoveAll_chk");
    EXPECT_EQ(moveAll->text(), QStringLiteral("Move src. && dest. "));
    EXPECT_EQ(moveAll->pos(), QPoint(245, 12));
    EXPECT_FALSE(moveAll->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("WarpMesh_rbt1")->isChecked());

    struct SpinCase {
        const char* name;
        int minimum, maximum, initial;
        QRect geometry;
    };
    for (const SpinCase& s : {SpinCase{"Frames_ed", 0, 100, 12, {59, 41, 54, 21}},
                              SpinCase{"Delay_ed", 0, 100, 10, {59, 68, 54, 20}},
                              SpinCase{"WarpMesh_ed1", 1, 100, 10, {94, 38, 57, 20}},
                              SpinCase{"WarpMesh_ed2", 1, 100, 10, {94, 64, 57, 20}}}) {
        auto* edit = Find<SpinEdit>(s.name);
        EXPECT_EQ(edit->minimum(), s.minimum) << s.name;
        EXPECT_EQ(edit->maximum(), s.maximum) << s.name;
        EXPECT_EQ(edit->value(), s.initial) << s.name;
        EXPECT_EQ(edit->geometry(), s.geometry) << s.name;
    }
    // The counters' right edges line up at x 99.
    for (const char* counter : {"WField_lab1", "WField_lab2", "WField_lab3"}) {
        EXPECT_EQ(Find<QLabel>(counter)->geometry().right() + 1, 99) << counter;
    }
}

TEST_F(KavrellWindowTest, TheMoveBothBoxAndTheViewToolsGoThroughTheModel) {
    ASSERT_NO_FATAL_FAILURE(Open(source, &destination));
    QTest::mouseClick(Find<QCheckBox>("MoveAll_chk"), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(Model().MoveBoth());
    EXPECT_TRUE(Warp().moveBoth);
    Click("lbCenterLeft");
    EXPECT_TRUE(View(ViewId::Left).Center());
    EXPECT_TRUE(Find<SpeedButton>("lbCenterLeft")->Down());
    Click("lbZoomOutRight");
    EXPECT_EQ(View(ViewId::Right).Zoom(), 0.5);
    Click("lbZoomFitRight");
    EXPECT_GT(View(ViewId::Right).Zoom(), 2.0);  // 120 x 80 fitted into a view over 400 wide
}

TEST_F(KavrellWindowTest, ShownModallyItFetchesClosesAndIsDestroyed) {
    host.GiveFrames(source, &destination);
    window = new TfrmKavrell();
    frmKavrell = window;
    window->SetCallback(host.Callback());
    bool seenImages = false;
    WhenShown<TfrmKavrell>([&](TfrmKavrell& shown) {
        seenImages = shown.Model().ImagesPresent();
        shown.close();
    });
    window->exec();
    EXPECT_TRUE(seenImages);
    EXPECT_EQ(host.Commands(), (std::vector<int32_t>{hcGetFrames, hcFramesDone}));
    ExpectClosed();
}

}  // namespace
}  // namespace kavrell::ui

// kavrell-morph edit: the editor window opened on a project, driven with
// real mouse events on the offscreen platform; what it writes back is
// checked and rendered again in batch.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "cli/cli_error.h"
#include "cli/edit_command.h"
#include "cli/project_file.h"
#include "cli/project_writer.h"
#include "cli_fixture.h"
#include "image_view_widget.h"
#include "kavrell_window.h"
#include "media/frame_output.h"
#include "media/image_io.h"
#include "morph/mesh_lattice.h"
#include "morph_player_window.h"
#include "notebook.h"
#include "speed_button.h"
#include "spin_edit.h"
#include "ui/widget_testing.h"

namespace kavrell::cli::test {
namespace {

namespace fs = std::filesystem;
using ui::ImageViewWidget;
using ui::TfrmKavrell;

constexpr int kWidth = 120;
constexpr int kHeight = 80;
const Point32 kBreak{EmptySlot, 0};

template <typename W = QWidget>
W& Find(QWidget& window, const char* name) {
    W* widget = window.findChild<W*>(QLatin1String(name));
    if (!widget) throw std::runtime_error(std::string("no widget ") + name);
    return *widget;
}

void Click(QWidget& window, const char* name) {
    QTest::mouseClick(&Find<QAbstractButton>(window, name), Qt::LeftButton);
}

ImageViewWidget& View(QWidget& window, ViewId id) {
    return Find<ImageViewWidget>(window, id == ViewId::Left ? "VectLeft" : "VectRight");
}

// The view position that shows image pixel p, checked through the view's
// own conversion.
QPoint At(ImageViewWidget& view, Point32 p) {
    const QPoint at(int((p.x + 0.5) * view.Zoom()), int((p.y + 0.5) * view.Zoom()));
    EXPECT_EQ(view.XScr2Bmp(at.x()), p.x);
    EXPECT_EQ(view.YScr2Bmp(at.y()), p.y);
    return at;
}

// Hovers the point, presses, moves and releases at the target, as a hand
// would.
void Drag(QWidget& window, ViewId id, Point32 from, Point32 to) {
    ImageViewWidget& view = View(window, id);
    QWidget* area = view.viewport();
    QTest::mouseMove(area, At(view, from));
    QTest::mousePress(area, Qt::LeftButton, {}, At(view, from));
    QTest::mouseMove(area, At(view, to));
    QTest::mouseRelease(area, Qt::LeftButton, {}, At(view, to));
}

// Saves the sequence when the player shows, keeping a copy of the frames
// the window generated.
std::shared_ptr<FrameList> SaveFromPlayer(TfrmKavrell& window) {
    auto generated = std::make_shared<FrameList>();
    EditorModel* model = &window.Model();
    kavrell::test::WhenShown<ui::TfrmMorphPlayer>([generated, model](ui::TfrmMorphPlayer& player) {
        *generated = model->Sequence();
        Click(player, "lbSaveClose");
    });
    return generated;
}

class EditTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        WriteImage("a.png", GradientImage(kWidth, kHeight));
        WriteImage("b.png", SolidImage(kWidth, kHeight, QColor(200, 40, 90)));
    }

    // Runs edit in this process; drive acts on the window once it shows and
    // must close it.
    int Edit(const std::string& project, std::function<void(TfrmKavrell&)> drive,
             std::optional<std::string> output = std::nullopt) {
        kavrell::test::WhenShown<TfrmKavrell>([drive](TfrmKavrell& window) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
            drive(window);
        });
        EditOptions options;
        options.project = Path(project);
        options.source = Path("a.png");
        options.destination = Path("b.png");
        if (output) options.output = Path(*output);
        std::ostringstream out;
        const int status = RunEdit(options, out);
        said = out.str();
        return status;
    }

    Project ReadProject(const std::string& name) const {
        return ParseProject(ReadText(name), kWidth, kHeight);
    }

    std::string said;
};

Project MeshProjectOf(int cols, int rows) {
    Project project;
    MeshProject& mesh = project.mesh.emplace();
    mesh.cols = cols;
    mesh.rows = rows;
    mesh.src = MeshLattice(kWidth, kHeight, cols, rows);
    mesh.dst = mesh.src;
    return project;
}

// A mesh node and a field point dragged with the mouse: the project file
// holds their new places and the window's settings, and the batch command
// renders the saved project to the very frames the window generated.
struct DragCase {
    const char* name;
    WarpMethod method;
    ViewId view;
    size_t index;  // of the node (NodeIndex) or the field slot
    Point32 offset;
};

// The points of the project that the case's view shows for its method.
std::vector<Point32>& DraggedList(Project& project, const DragCase& c) {
    const bool left = c.view == ViewId::Left;
    if (c.method == WarpMethod::Mesh) return left ? project.mesh->src : project.mesh->dst;
    return left ? project.field->src : project.field->dst;
}

class EditDragTest : public EditTest, public ::testing::WithParamInterface<DragCase> {};

TEST_P(EditDragTest, DraggedPointIsSavedAndRendersAsTheWindowGenerated) {
    const DragCase& c = GetParam();
    Project project = MeshProjectOf(3, 2);
    project.method = c.method;
    project.frames = 5;
    project.delay = 7;
    project.interpolation = Interpolation::CatmullRom;
    project.field = FieldProject{{{20, 15}, {60, 20}, {90, 30}, kBreak, {25, 60}, {95, 65}},
                                 {{22, 17}, {64, 22}, {88, 33}, kBreak, {27, 58}, {93, 66}}};
    WriteText("project.json", FormatProject(project));
    Project expected = project;
    Point32& point = DraggedList(expected, c)[c.index];
    const Point32 from = point;
    point = {from.x + c.offset.x, from.y + c.offset.y};

    std::shared_ptr<FrameList> generated;
    const int status = Edit(
        "project.json",
        [&](TfrmKavrell& window) {
            if (c.method == WarpMethod::Field) Click(window, "lbFieldAdd");  // to "Move pts."
            Drag(window, c.view, from, point);
            kavrell::test::SaveScreenshot(window, QString::fromLatin1("edit_drag_") + c.name);
            generated = SaveFromPlayer(window);
            Click(window, "lbMeshExecute");
        },
        "window");
    ASSERT_EQ(status, kExitCompleted);
    EXPECT_NE(said.find("wrote " + Path("project.json")), std::string::npos) << said;
    EXPECT_NE(said.find("frames to " + Path("window")), std::string::npos) << said;

    // The file: the dragged point moved, everything else as it was.
    EXPECT_EQ(ReadText("project.json"), FormatProject(expected));

    // The batch run of the saved project gives the window's frames, bit for bit.
    const RunResult batch = Run({"-q", "-p", "project.json", "-o", "batch", "a.png", "b.png"});
    ASSERT_EQ(batch.status, 0) << batch.err;
    ASSERT_TRUE(generated);
    ASSERT_GT(generated->Count(), 1);
    for (int32_t k = 0; k < generated->Count(); ++k) {
        // PNG files may differ in their resolution note, which follows the
        // screen: the pixels are compared.
        const std::string name = "/" + PngFrameName(k);
        EXPECT_EQ(ReadImage(Path("batch" + name), "frame"), generated->Frame(k)) << name;
        EXPECT_EQ(ReadImage(Path("window" + name), "frame"), generated->Frame(k)) << name;
    }
    EXPECT_FALSE(fs::exists(Path("batch/" + PngFrameName(generated->Count()))));
}

INSTANTIATE_TEST_SUITE_P(
    Edit, EditDragTest,
    ::testing::Values(DragCase{"mesh_node", WarpMethod::Mesh, ViewId::Right, NodeIndex(2, 1, 2), {11, 7}},
                      DragCase{"field_point", WarpMethod::Field, ViewId::Right, 1, {6, -10}}),
    [](const auto& info) { return std::string(info.param.name); });

// What the window shows of a project, read from its widgets.
struct ShownSettings {
    int frames = -1;
    int delay = -1;
    int cols = -1;
    int rows = -1;
    bool catmullRom = false;
    bool fieldDown = false;
    int page = -1;
    QString used;
    int32_t slotsInRecord = -1;
    std::string usedInModel;
};

ShownSettings ReadShown(TfrmKavrell& window) {
    return {Find<ui::SpinEdit>(window, "Frames_ed").value(),
            Find<ui::SpinEdit>(window, "Delay_ed").value(),
            Find<ui::SpinEdit>(window, "WarpMesh_ed1").value(),
            Find<ui::SpinEdit>(window, "WarpMesh_ed2").value(),
            Find<QRadioButton>(window, "WarpMesh_rbt2").isChecked(),
            Find<ui::SpeedButton>(window, "lbField").Down(),
            Find<ui::Notebook>(window, "OvcBook").PageIndex(),
            Find<QLabel>(window, "WField_lab2").text(),
            window.Model().Warp()->pointCount,
            window.Model().UsedLabel()};
}

// Projects with every kind of slot survive opening and closing unchanged,
// and the window shows their settings.
struct RoundTripCase {
    const char* name;
    Project project;
};

class EditRoundTripTest : public EditTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(EditRoundTripTest, ProjectSurvivesOpenAndCloseUnchanged) {
    const Project& project = GetParam().project;
    const std::string text = FormatProject(project);
    WriteText("project.json", text);

    ShownSettings shown;
    ASSERT_EQ(Edit("project.json",
                   [&](TfrmKavrell& window) {
                       shown = ReadShown(window);
                       kavrell::test::SaveScreenshot(window,
                                                     QString::fromLatin1("edit_open_") + GetParam().name);
                       window.close();
                   }),
              kExitCompleted);
    EXPECT_EQ(ReadText("project.json"), text);

    EXPECT_EQ(shown.frames, project.frames);
    EXPECT_EQ(shown.delay, project.delay);
    EXPECT_EQ(shown.catmullRom, project.interpolation == Interpolation::CatmullRom);
    const bool field = project.method == WarpMethod::Field;
    EXPECT_EQ(shown.fieldDown, field);
    EXPECT_EQ(shown.page, static_cast<int>(field ? NotebookPage::Field : NotebookPage::Mesh));
    if (project.mesh) {
        EXPECT_EQ(shown.cols, project.mesh->cols);
        EXPECT_EQ(shown.rows, project.mesh->rows);
    }
    const size_t slotCount = project.field ? project.field->src.size() : 0;
    EXPECT_EQ(shown.slotsInRecord, static_cast<int32_t>(slotCount));
    EXPECT_EQ(shown.used.toStdString(), shown.usedInModel);
}

RoundTripCase SmallMeshWithBreaks() {
    Project project = MeshProjectOf(1, 1);
    project.mesh->dst[NodeIndex(1, 1, 1)] = {-4, 90};  // a node may leave the image
    project.method = WarpMethod::Field;
    project.frames = 0;
    project.delay = 100;
    project.field = FieldProject{{{5, 5}, {30, 8}, kBreak, {40, 40}, {50, 45}, {60, 70}, kBreak},
                                 {{6, 4}, {31, 9}, kBreak, {41, 39}, {52, 44}, {58, 71}, kBreak}};
    return {"mesh_1x1_trailing_break", project};
}

RoundTripCase LargestMesh() {
    Project project = MeshProjectOf(MaxMeshCount, MaxMeshCount);
    project.interpolation = Interpolation::CatmullRom;
    project.frames = 100;
    project.delay = 0;
    project.mesh->src[NodeIndex(50, 50, MaxMeshCount)].x += 1;
    project.mesh->dst[NodeIndex(100, 1, MaxMeshCount)].y -= 1;
    project.field = FieldProject{{{1, 2}, {3, 4}}, {{1, 3}, {3, 5}}};
    return {"mesh_100x100", project};
}

INSTANTIATE_TEST_SUITE_P(Edit, EditRoundTripTest, ::testing::Values(SmallMeshWithBreaks(), LargestMesh()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditTest, NewProjectStartsEmptyAndIsCreatedWhenTheWindowCloses) {
    ShownSettings shown;
    ASSERT_EQ(Edit("new.json",
                   [&](TfrmKavrell& window) {
                       shown = ReadShown(window);
                       Find<ui::SpinEdit>(window, "WarpMesh_ed1").setValue(2);
                       Find<ui::SpinEdit>(window, "WarpMesh_ed2").setValue(3);
                       Click(window, "lbNewMesh");
                       window.close();
                   }),
              kExitCompleted);
    const Project fresh;
    EXPECT_EQ(shown.frames, fresh.frames);
    EXPECT_EQ(shown.delay, fresh.delay);
    EXPECT_EQ(shown.slotsInRecord, 0);
    EXPECT_EQ(shown.used, QStringLiteral("0"));

    const Project saved = ReadProject("new.json");
    ASSERT_TRUE(saved.mesh);
    EXPECT_FALSE(saved.field);
    EXPECT_EQ(saved.mesh->cols, 2);
    EXPECT_EQ(saved.mesh->rows, 3);
    EXPECT_EQ(saved.mesh->src, MeshLattice(kWidth, kHeight, 2, 3));
    EXPECT_NE(said.find("mesh 2 x 3"), std::string::npos) << said;
}

// Refusals come before the window opens and leave the project as it was.
struct RefusalCase {
    const char* name;
    int imageWidth;  // of the images the project was made for
    mode_t mode;     // of the project file
    const char* message;
};

class EditRefusalTest : public EditTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(EditRefusalTest, RefusedBeforeTheWindowOpens) {
    const RefusalCase& c = GetParam();
    Project project = MeshProjectOf(2, 2);
    project.mesh->src = project.mesh->dst = MeshLattice(c.imageWidth, kHeight, 2, 2);
    WriteText("project.json", FormatProject(project));
    ASSERT_EQ(chmod(Path("project.json").c_str(), c.mode), 0);
    const std::string before = ReadText("project.json");
    const std::set<std::string> entries = Entries();

    // A window that opened anyway is closed again, so the test cannot hang.
    bool opened = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&opened] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<TfrmKavrell*>(widget); window && window->isVisible()) {
                opened = true;
                window->close();
            }
        }
    });
    guard.start(0);

    EditOptions options;
    options.project = Path("project.json");
    options.source = Path("a.png");
    std::ostringstream out;
    try {
        RunEdit(options, out);
        ADD_FAILURE() << "edit went ahead";
    } catch (const CliError& error) {
        EXPECT_EQ(error.status(), kExitBadInput);
        EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
    EXPECT_FALSE(opened);
    EXPECT_EQ(ReadText("project.json"), before);
    EXPECT_EQ(Entries(), entries);
    EXPECT_EQ(out.str(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Edit, EditRefusalTest,
    ::testing::Values(RefusalCase{"other_image_size", 2 * kWidth, 0644,
                                  "made for images of 240 x 80 pixels, but SOURCE is 120 x 80"},
                      RefusalCase{"read_only", kWidth, 0444, "is read-only"}),
    [](const auto& info) { return std::string(info.param.name); });

// Only edit needs a display: without one the binary says so instead of
// aborting, and leaves the project alone.
TEST_F(EditTest, EditWithoutDisplayIsRefusedWithAMessage) {
    const std::string text = FormatProject(MeshProjectOf(2, 2));
    WriteText("project.json", text);
    std::map<std::string, std::string> saved;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (const char* value = getenv(name)) saved[name] = value;
        unsetenv(name);
    }
    const RunResult result = Run({"edit", "-p", "project.json", "a.png", "b.png"});
    for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);

    EXPECT_EQ(result.status, kExitBadInput);
    EXPECT_NE(result.err.find("needs a display"), std::string::npos) << result.err;
    EXPECT_EQ(ReadText("project.json"), text);
}

}  // namespace
}  // namespace kavrell::cli::test

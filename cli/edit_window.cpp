#include "cli/edit_window.h"

#include <QRadioButton>
#include <QShowEvent>

#include "cli/project_capture.h"
#include "cli/project_placement.h"
#include "image_view_widget.h"
#include "speed_button.h"
#include "spin_edit.h"

namespace kavrell::cli {
namespace {

template <typename W>
W& Control(QWidget& window, const char* name) {
    W* control = window.findChild<W*>(QLatin1String(name));
    if (!control) throw std::logic_error(std::string("the editor window has no control ") + name);
    return *control;
}

}  // namespace

ProjectEditorWindow::ProjectEditorWindow(const Project& project, std::optional<Project>& closedWith)
    : project_(project), closedWith_(closedWith) {}

void ProjectEditorWindow::showEvent(QShowEvent* event) {
    // The first show fetches the host's frames and starts the record.
    TfrmKavrell::showEvent(event);
    if (!placed_ && Model().Warp()) {
        placed_ = true;
        PlaceProject();
    }
}

void ProjectEditorWindow::PlaceProject() {
    Control<ui::SpinEdit>(*this, "Frames_ed").setValue(project_.frames);
    Control<ui::SpinEdit>(*this, "Delay_ed").setValue(project_.delay);
    const bool linear = project_.interpolation == Interpolation::Linear;
    Control<QRadioButton>(*this, linear ? "WarpMesh_rbt1" : "WarpMesh_rbt2").setChecked(true);
    if (project_.mesh) {
        Control<ui::SpinEdit>(*this, "WarpMesh_ed1").setValue(project_.mesh->cols);
        Control<ui::SpinEdit>(*this, "WarpMesh_ed2").setValue(project_.mesh->rows);
        PlaceMesh(Model(), *project_.mesh);
    }
    if (project_.field) DrawField(Model(), *project_.field);
    // The method button's click takes the controls' values into the model
    // and shows the method's page, its button down and the field counters.
    CommonButtonsClick(
        &Control<ui::SpeedButton>(*this, project_.method == WarpMethod::Mesh ? "lbMesh" : "lbField"));
    for (ui::ImageViewWidget* view : findChildren<ui::ImageViewWidget*>()) view->viewport()->update();
}

void ProjectEditorWindow::done(int result) {
    if (const WarpObjStru* warp = Model().Warp()) {
        const ProjectSettings settings{Control<ui::SpinEdit>(*this, "Frames_ed").value(),
                                       Control<ui::SpinEdit>(*this, "Delay_ed").value(),
                                       Control<QRadioButton>(*this, "WarpMesh_rbt1").isChecked()};
        closedWith_ = CaptureProject(*warp, settings);
    }
    TfrmKavrell::done(result);
}

}  // namespace kavrell::cli

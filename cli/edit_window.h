#pragma once

#include <optional>

#include "cli/project_file.h"
#include "kavrell_window.h"

namespace kavrell::cli {

// The editor window opened on a project: once the host's frames are shown,
// the project's control points are placed through the editor's own
// operations and the controls are set to its settings, so the window looks
// as if the user had made them. When the window closes, the project as it
// then stands goes to the slot given, before the editor releases its record.
class ProjectEditorWindow : public ui::TfrmKavrell {
public:
    ProjectEditorWindow(const Project& project, std::optional<Project>& closedWith);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PlaceProject();

    const Project project_;
    std::optional<Project>& closedWith_;
    bool placed_ = false;
};

}  // namespace kavrell::cli

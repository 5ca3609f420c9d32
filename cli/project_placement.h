#pragma once

#include "cli/project_file.h"
#include "morph/editor_model.h"

namespace kavrell::cli {

// Sets a project's control points in a shown editor model through the same
// editing operations the editor's mouse handlers call, so that the command
// line and the editor build the same record.

// Creates the project's mesh with "Create mesh" and moves its interior nodes
// in both images to the project's positions.
void PlaceMesh(EditorModel& model, const MeshProject& mesh);

// Selects the field method and draws the project's polylines in add mode,
// with a line break between them, then moves every destination point to its
// place.
void DrawField(EditorModel& model, const FieldProject& field);

}  // namespace kavrell::cli

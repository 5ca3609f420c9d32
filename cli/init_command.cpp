#include "cli/init_command.h"

#include <iostream>

#include "cli/cli_error.h"
#include "cli/output_check.h"
#include "cli/project_writer.h"
#include "media/image_io.h"
#include "media/output_files.h"
#include "morph/editor_model.h"

namespace kavrell::cli {

int RunInit(const InitOptions& options) {
    const Bitmap source = ReadImage(options.source, "SOURCE");
    if (options.output) CheckOutput(*options.output, OutputKind::Gif, options.force);

    // The lattice comes from the editor's own "Create mesh".
    EditorModel editor;
    editor.Show(source, nullptr);
    editor.SetMeshColumns(options.cols);
    editor.SetMeshRows(options.rows);
    editor.CommonButtonsClick(TagNewMesh);
    const WarpObjStru& warp = *editor.Warp();
    MeshProject mesh;
    mesh.cols = warp.meshCols;
    mesh.rows = warp.meshRows;
    for (int32_t i = 0; i <= mesh.cols + 1; ++i) {
        for (int32_t j = 0; j <= mesh.rows + 1; ++j) mesh.src.push_back(warp.srcNodes[i][j]);
    }
    mesh.dst = mesh.src;

    Project project;
    project.method = WarpMethod::Mesh;
    project.mesh = std::move(mesh);
    const std::string text = FormatProject(project);
    if (!options.output) {
        std::cout << text << std::flush;
        return kExitCompleted;
    }
    WriteFileAtomically(*options.output, std::vector<uint8_t>(text.begin(), text.end()));
    return kExitCompleted;
}

}  // namespace kavrell::cli

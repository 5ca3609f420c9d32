#include "cli/project_capture.h"

namespace kavrell::cli {

Project CaptureProject(const WarpObjStru& warp, const ProjectSettings& settings) {
    Project project;
    project.method = warp.method;
    project.frames = settings.frames;
    project.delay = settings.delay;
    project.interpolation = settings.linear ? Interpolation::Linear : Interpolation::CatmullRom;
    if (HasMesh(warp)) {
        MeshProject& mesh = project.mesh.emplace();
        mesh.cols = warp.meshCols;
        mesh.rows = warp.meshRows;
        // NodeIndex order: column by column.
        for (int32_t i = 0; i <= mesh.cols + 1; ++i) {
            for (int32_t j = 0; j <= mesh.rows + 1; ++j) {
                mesh.src.push_back(warp.srcNodes[i][j]);
                mesh.dst.push_back(warp.dstNodes[i][j]);
            }
        }
    }
    if (warp.pointCount > 0) {
        FieldProject& field = project.field.emplace();
        field.src.assign(warp.srcPoints, warp.srcPoints + warp.pointCount);
        field.dst.assign(warp.dstPoints, warp.dstPoints + warp.pointCount);
    }
    return project;
}

std::string DescribeProject(const Project& project) {
    std::string text = std::string("method ") + (project.method == WarpMethod::Mesh ? "mesh" : "field");
    if (project.mesh) {
        text += ", mesh " + std::to_string(project.mesh->cols) + " x " + std::to_string(project.mesh->rows);
    }
    if (project.field) text += ", " + std::to_string(project.field->src.size()) + " field slots";
    text += ", " + std::to_string(project.frames) + " frames, delay " + std::to_string(project.delay) + ", " +
            (project.interpolation == Interpolation::Linear ? "linear" : "catmull-rom");
    return text;
}

}  // namespace kavrell::cli

// libFuzzer target for the project parser. An input is the JSON text of a
// project, optionally preceded by a line "WIDTHxHEIGHT" giving the image
// size (320 x 240 otherwise, the size of the sample frames). Whatever the
// input, the parser either refuses it with a ProjectError or returns a
// project that keeps its invariants and reads back unchanged once written.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/project_file.h"
#include "cli/project_writer.h"
#include "morph/mesh_lattice.h"

namespace {

using namespace kavrell;
using namespace kavrell::cli;

void Require(bool condition) {
    if (!condition) std::abort();
}

// Reads an optional "WIDTHxHEIGHT\n" line (each 1 to 9999) off the front.
void TakeImageSize(std::string_view& text, int32_t& width, int32_t& height) {
    const size_t end = text.find('\n');
    if (end == std::string_view::npos || end > 9) return;
    const std::string_view line = text.substr(0, end);
    const size_t cross = line.find('x');
    if (cross == std::string_view::npos) return;
    int32_t w = 0;
    int32_t h = 0;
    for (size_t k = 0; k < line.size(); ++k) {
        if (k == cross) continue;
        if (line[k] < '0' || line[k] > '9') return;
        int32_t& side = k < cross ? w : h;
        side = side * 10 + (line[k] - '0');
    }
    if (w < 1 || h < 1) return;
    width = w;
    height = h;
    text.remove_prefix(end + 1);
}

void CheckMesh(const MeshProject& mesh, int32_t width, int32_t height) {
    Require(mesh.cols >= MinMeshCount && mesh.cols <= MaxMeshCount && mesh.rows >= MinMeshCount &&
            mesh.rows <= MaxMeshCount);
    const auto nodes = static_cast<size_t>(mesh.cols + 2) * static_cast<size_t>(mesh.rows + 2);
    Require(mesh.src.size() == nodes && mesh.dst.size() == nodes);
    const std::vector<Point32> lattice = MeshLattice(width, height, mesh.cols, mesh.rows);
    for (int32_t i = 0; i < mesh.cols + 2; ++i) {
        for (int32_t j = 0; j < mesh.rows + 2; ++j) {
            const size_t k = NodeIndex(i, j, mesh.rows);
            if (IsBorderNode(i, j, mesh.cols, mesh.rows))
                Require(mesh.src[k] == lattice[k] && mesh.dst[k] == lattice[k]);
        }
    }
}

void CheckField(const FieldProject& field) {
    Require(field.src.size() == field.dst.size() && field.src.size() <= static_cast<size_t>(MaxFieldPoints));
    size_t run = 0;
    for (size_t k = 0; k < field.src.size(); ++k) {
        Require(HoldsPoint(field.src[k]) == HoldsPoint(field.dst[k]));
        if (HoldsPoint(field.src[k])) {
            ++run;
            continue;
        }
        Require(run >= 2);
        run = 0;
    }
    Require(run == 0 || run >= 2);
}

bool SameProject(const Project& a, const Project& b) {
    const bool sameMesh = a.mesh.has_value() == b.mesh.has_value() &&
                          (!a.mesh || (a.mesh->cols == b.mesh->cols && a.mesh->rows == b.mesh->rows &&
                                       a.mesh->src == b.mesh->src && a.mesh->dst == b.mesh->dst));
    const bool sameField = a.field.has_value() == b.field.has_value() &&
                           (!a.field || (a.field->src == b.field->src && a.field->dst == b.field->dst));
    return a.method == b.method && a.frames == b.frames && a.delay == b.delay &&
           a.interpolation == b.interpolation && sameMesh && sameField;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    int32_t width = 320;
    int32_t height = 240;
    TakeImageSize(text, width, height);
    Project project;
    try {
        project = ParseProject(text, width, height);
    } catch (const ProjectError&) {
        return 0;
    }
    Require(project.frames >= MinFrames && project.frames <= MaxFrames && project.delay >= MinDelay &&
            project.delay <= MaxDelay);
    if (project.mesh) CheckMesh(*project.mesh, width, height);
    if (project.field) CheckField(*project.field);
    Require(SameProject(ParseProject(FormatProject(project), width, height), project));
    return 0;
}

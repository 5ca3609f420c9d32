#include "cli/project_writer.h"

#include <sstream>

#include "morph/mesh_lattice.h"

namespace kavrell::cli {
namespace {

void WritePoint(std::ostringstream& out, const Point32& point) {
    if (!HoldsPoint(point)) {
        out << "null";
        return;
    }
    out << '[' << point.x << ", " << point.y << ']';
}

// A node grid, one column per line.
void WriteGrid(std::ostringstream& out, const std::vector<Point32>& nodes, int32_t cols, int32_t rows) {
    out << "[\n";
    for (int32_t i = 0; i < cols + 2; ++i) {
        out << "      [";
        for (int32_t j = 0; j < rows + 2; ++j) {
            if (j > 0) out << ", ";
            WritePoint(out, nodes[NodeIndex(i, j, rows)]);
        }
        out << (i + 1 < cols + 2 ? "],\n" : "]\n");
    }
    out << "    ]";
}

void WriteSlots(std::ostringstream& out, const std::vector<Point32>& slots) {
    out << '[';
    for (size_t k = 0; k < slots.size(); ++k) {
        if (k > 0) out << ", ";
        WritePoint(out, slots[k]);
    }
    out << ']';
}

}  // namespace

std::string FormatProject(const Project& project) {
    std::ostringstream out;
    out << "{\n";
    out << "  \"method\": \"" << (project.method == WarpMethod::Mesh ? "mesh" : "field") << "\",\n";
    out << "  \"frames\": " << project.frames << ",\n";
    out << "  \"delay\": " << project.delay << ",\n";
    out << "  \"interpolation\": \""
        << (project.interpolation == Interpolation::Linear ? "linear" : "catmull-rom") << '"';
    if (project.mesh) {
        const MeshProject& mesh = *project.mesh;
        out << ",\n  \"mesh\": {\n";
        out << "    \"cols\": " << mesh.cols << ",\n";
        out << "    \"rows\": " << mesh.rows << ",\n";
        out << "    \"src\": ";
        WriteGrid(out, mesh.src, mesh.cols, mesh.rows);
        out << ",\n    \"dst\": ";
        WriteGrid(out, mesh.dst, mesh.cols, mesh.rows);
        out << "\n  }";
    }
    if (project.field) {
        out << ",\n  \"field\": {\n    \"src\": ";
        WriteSlots(out, project.field->src);
        out << ",\n    \"dst\": ";
        WriteSlots(out, project.field->dst);
        out << "\n  }";
    }
    out << "\n}\n";
    return out.str();
}

}  // namespace kavrell::cli

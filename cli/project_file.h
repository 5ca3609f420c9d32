#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "morph/editor_limits.h"
#include "morph/warp_state.h"

namespace kavrell::cli {

enum class Interpolation { Linear, CatmullRom };

// A mesh of cols x rows interior nodes in both images, border included:
// (cols + 2) x (rows + 2) nodes each, [column][row] flattened as
// as NodeIndex and MeshLattice lay them out.
struct MeshProject {
    int32_t cols = 0;
    int32_t rows = 0;
    std::vector<Point32> src;
    std::vector<Point32> dst;
};

// Field slots as the warp state record holds them: a break has x = EmptySlot.
// Both lists have the same length and their breaks in the same slots.
struct FieldProject {
    std::vector<Point32> src;
    std::vector<Point32> dst;
};

struct Project {
    WarpMethod method = WarpMethod::Mesh;
    int32_t frames = DefaultFrames;
    int32_t delay = DefaultDelay;  // hundredths of a second
    Interpolation interpolation = Interpolation::Linear;
    std::optional<MeshProject> mesh;
    std::optional<FieldProject> field;
};

// A project file that cannot be used: field names the place in the file
// (such as "frames", "mesh.src[3][0]" or "line 4, column 2"), what() says what
// is wrong with it.
class ProjectError : public std::runtime_error {
public:
    ProjectError(std::string field, const std::string& what)
        : std::runtime_error(what), field_(std::move(field)) {}
    const std::string& field() const { return field_; }

private:
    std::string field_;
};

// Reads a project from its JSON text for images of width x height pixels
// (the mesh defaults and the fixed border depend on that size). Throws
// ProjectError for anything malformed or out of range.
Project ParseProject(std::string_view text, int32_t width, int32_t height);

}  // namespace kavrell::cli

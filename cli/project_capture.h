#pragma once

#include "cli/project_file.h"
#include "morph/warp_state.h"

namespace kavrell::cli {

// The generation settings as the editor's controls show them.
struct ProjectSettings {
    int32_t frames = DefaultFrames;
    int32_t delay = DefaultDelay;
    bool linear = true;
};

// The project an editor record stands for: its method, its mesh (when it has
// one) and its field slots (when it has any), with the settings given.
// PlaceMesh and DrawField rebuild the same record from it.
Project CaptureProject(const WarpObjStru& warp, const ProjectSettings& settings);

// One line saying what a project holds, such as
// "method mesh, mesh 3 x 4, 18 field slots, 16 frames, delay 8, linear".
std::string DescribeProject(const Project& project);

}  // namespace kavrell::cli

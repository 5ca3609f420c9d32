#pragma once

#include "cli/options.h"

namespace kavrell::cli {

// Writes a mesh project for SOURCE: the regular lattice that "Create mesh"
// lays over it for cols x rows interior nodes, the same in both images, with
// the editor's initial frames, delay and interpolation. Returns 0; throws
// CliError as RunMorph does.
int RunInit(const InitOptions& options);

}  // namespace kavrell::cli

#pragma once

#include "cli/options.h"

namespace kavrell::cli {

// Reads the images and the project, builds the editor's record through the
// editing operations, generates the sequence and writes it. Returns the exit
// status (0 completed, 3 warp failure: the frames made before it are
// written only where there was no output yet); throws CliError for bad input (status 2) and for an output
// that could not be written (status 1).
int RunMorph(const MorphOptions& options);

}  // namespace kavrell::cli

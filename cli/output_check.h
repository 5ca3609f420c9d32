#pragma once

#include <string>

#include "media/output_files.h"

namespace kavrell::cli {

// Refuses (status 2) before any work an output path that cannot take the
// output (see CheckOutputLocation) or that is read-only without force.
void CheckOutput(const std::string& path, OutputKind kind, bool force);

}  // namespace kavrell::cli

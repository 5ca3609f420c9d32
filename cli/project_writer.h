#pragma once

#include <string>

#include "cli/project_file.h"

namespace kavrell::cli {

// The project as JSON text that ParseProject reads back unchanged, laid out
// for people: one mesh column or one polyline slot list per line.
std::string FormatProject(const Project& project);

}  // namespace kavrell::cli

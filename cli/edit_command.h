#pragma once

#include <iostream>

#include "cli/options.h"

namespace kavrell::cli {

// Opens the editor window on SOURCE and DESTINATION as their host, with the
// project's control points and settings in place, and writes the project
// back when the window closes; frames saved with "Save sequence and exit" go
// to OUTPUT when one is given. Everything is checked before the window
// opens. Creates the widget application unless one exists. Says on out what
// it wrote; returns 0; throws CliError as RunMorph does.
int RunEdit(const EditOptions& options, std::ostream& out = std::cout);

}  // namespace kavrell::cli

#pragma once

#include <string>

namespace kavrell::cli {

// The text of the project file at path, of any kind of file (a pipe or a
// process substitution included), refused beyond 64 MiB as no project.
// Throws MediaError (bad input, role "project") when it cannot be read.
std::string ReadProjectText(const std::string& path);

}  // namespace kavrell::cli

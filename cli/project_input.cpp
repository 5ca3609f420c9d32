#include "cli/project_input.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/input_files.h"

namespace kavrell::cli {

std::string ReadProjectText(const std::string& path) {
    constexpr size_t kLargestProject = 64u << 20;
    const std::vector<uint8_t> bytes = ReadInputFile(path, "project", "a project file", kLargestProject);
    return {bytes.begin(), bytes.end()};
}

}  // namespace kavrell::cli

#include "cli/output_check.h"

#include "cli/cli_error.h"

namespace kavrell::cli {

void CheckOutput(const std::string& path, OutputKind kind, bool force) {
    CheckOutputLocation(path, kind);
    if (!force && IsReadOnly(path)) {
        throw CliError(kExitBadInput, path, "output", "is read-only; use --force to replace it");
    }
}

}  // namespace kavrell::cli

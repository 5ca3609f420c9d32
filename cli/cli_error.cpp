#include "cli/cli_error.h"

namespace kavrell::cli {
namespace {

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return text;
}

}  // namespace

std::string ErrorLine(const CliError& error) {
    return OneLine(std::string(kProgramName) + ": " + error.file() + ": " + error.field() + ": " +
                   error.what());
}

}  // namespace kavrell::cli

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kavrell::cli {

// kavrell-morph [options] -p PROJECT SOURCE [DESTINATION]
struct MorphOptions {
    std::string project;
    std::string source;
    std::optional<std::string> destination;  // none: warp-only mode
    std::string output = "morph.gif";
    std::optional<int32_t> frames;  // overrides the project's
    std::optional<int32_t> delay;   // overrides the project's
    bool preview = false;
    bool json = false;
    bool quiet = false;
    bool force = false;  // replace a read-only output
};

// kavrell-morph init --mesh COLSxROWS [-o PROJECT] SOURCE
struct InitOptions {
    int32_t cols = 0;
    int32_t rows = 0;
    std::optional<std::string> output;  // none: standard output
    std::string source;
    bool force = false;  // replace a read-only output
};

// kavrell-morph edit -p PROJECT [-o OUTPUT] SOURCE [DESTINATION]
struct EditOptions {
    std::string project;
    std::string source;
    std::optional<std::string> destination;  // none: warp-only mode
    std::optional<std::string> output;       // where "Save sequence and exit" writes the frames
};

enum class Command { Morph, Init, Edit, Help, Version };

struct CommandLine {
    Command command = Command::Morph;
    MorphOptions morph;
    InitOptions init;
    EditOptions edit;
};

// The first argument that selects the editor window, which alone needs a
// display.
inline constexpr const char* kEditCommand = "edit";

// Reads the arguments after the program name. Options and operands may come
// in any order; "--" ends the options; values follow as "--name VALUE",
// "--name=VALUE", "-o VALUE" or "-oVALUE". Throws CliError (status 2,
// file "command line") for anything it cannot use.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text of --help.
std::string HelpText();

}  // namespace kavrell::cli

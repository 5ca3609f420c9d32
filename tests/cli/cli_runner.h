#pragma once

#include <string>
#include <vector>

namespace kavrell::cli::test {

struct RunResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs the built kavrell-morph with args in directory cwd, stdin empty,
// stdout and stderr captured (neither is a terminal).
RunResult RunMorph(const std::vector<std::string>& args, const std::string& cwd);

// The same with stderr on a pseudo-terminal, whose output is returned in err
// (stdout captured as above).
RunResult RunMorphOnTerminal(const std::vector<std::string>& args, const std::string& cwd);

// The lines of text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

}  // namespace kavrell::cli::test

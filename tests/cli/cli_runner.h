#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kavrell::cli::test {

struct RunResult {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
    long peakMemoryKiB = 0;  // the largest resident set the program had
};

// kavrell-morph started in the background with args in directory cwd, as
// RunMorph runs it, for tests that act on it while it works.
class BackgroundRun {
public:
    BackgroundRun(const std::vector<std::string>& args, const std::string& cwd);
    ~BackgroundRun();  // ends the program if it still runs
    BackgroundRun(const BackgroundRun&) = delete;
    BackgroundRun& operator=(const BackgroundRun&) = delete;

    pid_t pid() const { return pid_; }
    // Waits for the program to end.
    RunResult Wait();

private:
    pid_t pid_ = -1;
    std::string outPath_;
    std::string errPath_;
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

#include "cli_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kavrell::cli::test {
namespace {

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<char*> ArgvFor(const std::vector<std::string>& args, std::vector<std::string>& storage) {
    storage.assign(1, KAVRELL_MORPH_BINARY);
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : storage) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return argv;
}

// In the child: stdin from /dev/null, stdout (and stderr unless given) to
// files, then the binary.
[[noreturn]] void ExecChild(const std::string& cwd, const std::string& outPath, const std::string* errPath,
                            std::vector<char*>& argv) {
    if (chdir(cwd.c_str()) != 0) _exit(127);
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0) _exit(127);
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    if (errPath) {
        const int err = open(errPath->c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err < 0) _exit(127);
        dup2(err, STDERR_FILENO);
    }
    execv(argv[0], argv.data());
    _exit(127);
}

int StatusOf(pid_t pid, long* peakMemoryKiB = nullptr) {
    int status = 0;
    struct rusage usage {};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) throw std::runtime_error("waitpid failed");
    }
    if (peakMemoryKiB) *peakMemoryKiB = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Captures go outside the run's directory, which the tests inspect.
std::string CaptureName(const char* what) {
    std::string pattern = (std::filesystem::temp_directory_path() / "kavrell-cli-capture-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) throw std::runtime_error(std::string("cannot create a capture file for ") + what);
    close(fd);
    return pattern;
}

}  // namespace

BackgroundRun::BackgroundRun(const std::vector<std::string>& args, const std::string& cwd)
    : outPath_(CaptureName("stdout")), errPath_(CaptureName("stderr")) {
    std::vector<std::string> storage;
    std::vector<char*> argv = ArgvFor(args, storage);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) ExecChild(cwd, outPath_, &errPath_, argv);
}

BackgroundRun::~BackgroundRun() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        StatusOf(pid_);
    }
    unlink(outPath_.c_str());
    unlink(errPath_.c_str());
}

RunResult BackgroundRun::Wait() {
    RunResult result;
    result.status = StatusOf(pid_, &result.peakMemoryKiB);
    pid_ = -1;
    result.out = ReadWhole(outPath_);
    result.err = ReadWhole(errPath_);
    return result;
}

RunResult RunMorph(const std::vector<std::string>& args, const std::string& cwd) {
    return BackgroundRun(args, cwd).Wait();
}

RunResult RunMorphOnTerminal(const std::vector<std::string>& args, const std::string& cwd) {
    std::vector<std::string> storage;
    std::vector<char*> argv = ArgvFor(args, storage);
    const std::string outPath = CaptureName("stdout");
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (pid < 0) throw std::runtime_error("forkpty failed");
    if (pid == 0) ExecChild(cwd, outPath, nullptr, argv);
    RunResult result;
    // Read the terminal until the child closes it (EIO once it is gone).
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got > 0) {
            result.err.append(buffer, static_cast<size_t>(got));
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    close(terminal);
    result.status = StatusOf(pid);
    result.out = ReadWhole(outPath);
    unlink(outPath.c_str());
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace kavrell::cli::test

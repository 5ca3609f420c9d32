#pragma once

#include <mutex>
#include <string>

namespace kavrell {

// Temporaries that carry a name (a staging directory, a file on a file
// system without unnamed files) are named ".<output name>.kavrell-<pid>-..."
// beside their output, so that the next run into the same place can tell
// which are left over from a process that no longer runs.
std::string TemporaryPrefix(const std::string& outputName);

// Creates a directory beside the output named as above; returns its path.
// Returns an empty string and leaves errno set when it cannot.
std::string MakeTemporaryDirectory(const std::string& parent, const std::string& outputName);

// A name beside the output for a temporary that does not exist yet.
std::string TemporaryName(const std::string& parent, const std::string& outputName);

// Removes the temporaries of outputName in parent whose process is gone.
void RemoveStaleTemporaries(const std::string& parent, const std::string& outputName);

// A named temporary (file or directory tree) that is removed when it goes
// out of scope, unless Keep() was called, and also when the process is
// interrupted (DiscardTemporariesAndExit) while it exists.
class ScratchPath {
public:
    explicit ScratchPath(std::string path);
    ~ScratchPath();
    ScratchPath(const ScratchPath&) = delete;
    ScratchPath& operator=(const ScratchPath&) = delete;

    const std::string& path() const { return path_; }
    // The temporary has become the output: it is no longer removed.
    void Keep();

private:
    std::string path_;
    bool kept_ = false;
};

// Held while a temporary becomes the output (rename, exchange), so that an
// interruption comes either before the step, and the temporary is removed,
// or after it.
std::unique_lock<std::recursive_mutex> HoldTemporaries();

// Removes every temporary that exists and ends the process with status;
// for the handler of SIGINT and SIGTERM.
[[noreturn]] void DiscardTemporariesAndExit(int status);

}  // namespace kavrell

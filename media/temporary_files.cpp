#include "media/temporary_files.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <random>
#include <vector>

namespace kavrell {
namespace {

namespace fs = std::filesystem;

std::recursive_mutex& RegistryMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

std::vector<std::string>& Registry() {
    static std::vector<std::string> paths;
    return paths;
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

std::string RandomSuffix() {
    static std::mt19937_64 generator{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix(8, '0');
    for (char& c : suffix) c = kDigits[generator() % 36];
    return suffix;
}

void Forget(const std::string& path) {
    auto& paths = Registry();
    const auto found = std::find(paths.begin(), paths.end(), path);
    if (found != paths.end()) paths.erase(found);
}

// The process id in a temporary's name after prefix, or 0.
pid_t OwnerOf(const std::string& name, const std::string& prefix) {
    if (name.rfind(prefix, 0) != 0) return 0;
    const char* begin = name.data() + prefix.size();
    const char* end = name.data() + name.size();
    pid_t pid = 0;
    const auto [stop, error] = std::from_chars(begin, end, pid);
    if (error != std::errc() || stop == end || *stop != '-' || pid <= 0) return 0;
    return pid;
}

}  // namespace

std::string TemporaryPrefix(const std::string& outputName) { return "." + outputName + ".kavrell-"; }

std::string TemporaryName(const std::string& parent, const std::string& outputName) {
    return (fs::path(parent) /
            (TemporaryPrefix(outputName) + std::to_string(getpid()) + "-" + RandomSuffix()))
        .string();
}

std::string MakeTemporaryDirectory(const std::string& parent, const std::string& outputName) {
    std::string pattern =
        (fs::path(parent) / (TemporaryPrefix(outputName) + std::to_string(getpid()) + "-XXXXXX")).string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

void RemoveStaleTemporaries(const std::string& parent, const std::string& outputName) {
    const std::string prefix = TemporaryPrefix(outputName);
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(parent, error)) {
        const pid_t owner = OwnerOf(entry.path().filename().string(), prefix);
        if (owner != 0 && kill(owner, 0) != 0 && errno == ESRCH) RemoveTree(entry.path().string());
    }
}

ScratchPath::ScratchPath(std::string path) : path_(std::move(path)) {
    const auto hold = HoldTemporaries();
    Registry().push_back(path_);
}

ScratchPath::~ScratchPath() {
    if (kept_) return;
    const auto hold = HoldTemporaries();
    RemoveTree(path_);
    Forget(path_);
}

void ScratchPath::Keep() {
    const auto hold = HoldTemporaries();
    kept_ = true;
    Forget(path_);
}

std::unique_lock<std::recursive_mutex> HoldTemporaries() {
    return std::unique_lock<std::recursive_mutex>(RegistryMutex());
}

void DiscardTemporariesAndExit(int status) {
    // The lock is never released: the process ends while holding it.
    RegistryMutex().lock();
    for (const std::string& path : Registry()) RemoveTree(path);
    _exit(status);
}

}  // namespace kavrell

#include "media/output_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "media/media_error.h"
#include "media/temporary_files.h"

namespace kavrell {
namespace {

namespace fs = std::filesystem;

constexpr const char* kField = "output";

[[noreturn]] void FailWrite(const std::string& path, const std::string& what) {
    throw MediaError(MediaError::Cause::WriteFailed, path, kField, what);
}

[[noreturn]] void FailLocation(const std::string& path, const std::string& what) {
    throw MediaError(MediaError::Cause::BadInput, path, kField, what);
}

std::string SystemError(int error = errno) {
    std::string text = std::strerror(error);
    if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

bool EndsWithNoCase(const std::string& text, const std::string& ending) {
    if (text.size() < ending.size()) return false;
    return std::equal(ending.begin(), ending.end(), text.end() - static_cast<ptrdiff_t>(ending.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// The path without trailing slashes ("out/" names the directory "out").
fs::path Normalized(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    return fs::path(trimmed);
}

fs::path ParentOf(const fs::path& path) {
    const fs::path parent = path.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// What the umask leaves of requested.
mode_t CreationMode(mode_t requested) {
    const mode_t mask = umask(0);
    umask(mask);
    return requested & ~mask;
}

// An output as the writers see it: where it goes and what was there before.
struct Target {
    std::string reportAs;  // as the caller named it
    fs::path path;
    std::string parent;
    std::string name;
    bool existed = false;
    struct stat old {};

    Target(const std::string& given, ExistingOutput existing)
        : reportAs(given), path(Normalized(given)), parent(ParentOf(path)), name(path.filename()) {
        RemoveStaleTemporaries(parent, name);
        existed = lstat(path.c_str(), &old) == 0;
        // A link is replaced by the output; its permission bits are those
        // of what it points to.
        if (existed && S_ISLNK(old.st_mode) && stat(path.c_str(), &old) != 0) old = {};
        if (existed && existing == ExistingOutput::Keep) FailWrite(reportAs, "exists; it was left as it was");
    }

    // The permission bits of the new output: the old one's, or what the
    // umask leaves of requested.
    mode_t ModeOr(mode_t requested) const {
        return old.st_mode != 0 ? old.st_mode & 07777 : CreationMode(requested);
    }
};

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

    // Closes now, reporting a failure (a delayed write error).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

private:
    int fd_;
};

// Writes bytes into the open file, sets its mode and makes it durable.
void FillFile(const Descriptor& file, const std::vector<uint8_t>& bytes, mode_t mode,
              const std::string& reportAs) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(file.get(), bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) FailWrite(reportAs, SystemError());
        done += static_cast<size_t>(written);
    }
    if (fchmod(file.get(), mode) != 0 || fsync(file.get()) != 0) FailWrite(reportAs, SystemError());
}

// FillFile, then close, which may report a delayed write error.
void FillAndClose(Descriptor& file, const std::vector<uint8_t>& bytes, mode_t mode,
                  const std::string& reportAs) {
    FillFile(file, bytes, mode, reportAs);
    if (!file.Close()) FailWrite(reportAs, SystemError());
}

// Makes the complete temporary staged the output at target.
void Commit(ScratchPath& staged, const Target& target, ExistingOutput existing) {
    const auto hold = HoldTemporaries();
    if (existing == ExistingOutput::Keep) {
        // link() never replaces; the temporary's own name goes with staged.
        if (link(staged.path().c_str(), target.path.c_str()) != 0) {
            FailWrite(target.reportAs, errno == EEXIST ? "exists; it was left as it was" : SystemError());
        }
        return;
    }
    if (rename(staged.path().c_str(), target.path.c_str()) != 0) FailWrite(target.reportAs, SystemError());
    staged.Keep();
}

void WriteThroughNamedFile(const Target& target, const std::vector<uint8_t>& bytes, ExistingOutput existing) {
    ScratchPath staged(TemporaryName(target.parent, target.name));
    Descriptor file(open(staged.path().c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (file.get() < 0) FailWrite(target.reportAs, "cannot create a temporary file: " + SystemError());
    FillAndClose(file, bytes, target.ModeOr(0666), target.reportAs);
    Commit(staged, target, existing);
}

// Gives the old directory's entries, but its frames, to the new directory.
void CarryOverOtherFiles(const fs::path& from, const std::string& to, const std::string& reportAs) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(from, error)) {
        const std::string name = entry.path().filename();
        if (IsPngFrameName(name)) continue;
        if (linkat(AT_FDCWD, entry.path().c_str(), AT_FDCWD, (fs::path(to) / name).c_str(), 0) != 0) {
            FailWrite((fs::path(reportAs) / name).string(),
                      "cannot carry this file over into the new directory: " + SystemError());
        }
    }
    if (error) FailWrite(reportAs, "cannot list the directory: " + SystemError(error.value()));
}

// Puts directory staged where target is and target where staged was.
void Exchange(const std::string& staged, const Target& target) {
    if (renameat2(AT_FDCWD, staged.c_str(), AT_FDCWD, target.path.c_str(), RENAME_EXCHANGE) == 0) return;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) FailWrite(target.reportAs, SystemError());
    // A file system without the exchange: two renames, the old directory
    // put back if the second fails.
    const std::string aside = TemporaryName(target.parent, target.name);
    if (rename(target.path.c_str(), aside.c_str()) != 0) FailWrite(target.reportAs, SystemError());
    if (rename(staged.c_str(), target.path.c_str()) != 0) {
        const int error = errno;
        rename(aside.c_str(), target.path.c_str());
        FailWrite(target.reportAs, SystemError(error));
    }
    rename(aside.c_str(), staged.c_str());
}

// Moves directory staged to target, which must not exist.
void MoveIntoPlace(const std::string& staged, const Target& target) {
    if (renameat2(AT_FDCWD, staged.c_str(), AT_FDCWD, target.path.c_str(), RENAME_NOREPLACE) == 0) return;
    const int error = errno;
    if (error == EEXIST || (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)) {
        FailWrite(target.reportAs, error == EEXIST ? "exists; it was left as it was" : SystemError(error));
    }
    if (rename(staged.c_str(), target.path.c_str()) != 0) FailWrite(target.reportAs, SystemError());
}

}  // namespace

OutputKind OutputKindFor(const std::string& path) {
    if (EndsWithNoCase(path, ".gif")) return OutputKind::Gif;
    if (EndsWithNoCase(path, ".webp")) return OutputKind::WebP;
    return OutputKind::PngDirectory;
}

std::string PngFrameName(int32_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%03d.png", index);
    return name;
}

bool IsPngFrameName(const std::string& name) {
    const std::string head = "frame_";
    const std::string tail = ".png";
    if (name.size() < head.size() + 3 + tail.size()) return false;
    if (name.compare(0, head.size(), head) != 0) return false;
    if (name.compare(name.size() - tail.size(), tail.size(), tail) != 0) return false;
    return std::all_of(name.begin() + static_cast<ptrdiff_t>(head.size()),
                       name.end() - static_cast<ptrdiff_t>(tail.size()),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

void CheckOutputLocation(const std::string& path, OutputKind kind) {
    const fs::path target = Normalized(path);
    const fs::path parent = ParentOf(target);
    std::error_code error;
    if (!fs::is_directory(parent, error)) {
        FailLocation(path, "\"" + parent.string() + "\" " +
                               (fs::exists(parent, error) ? "is not a directory" : "does not exist"));
    }
    if (access(parent.c_str(), W_OK | X_OK) != 0) {
        FailLocation(path, "cannot write into directory \"" + parent.string() + "\": " + SystemError());
    }
    const fs::file_status status = fs::status(target, error);
    if (!fs::exists(status)) return;
    if (kind != OutputKind::PngDirectory && fs::is_directory(status)) {
        FailLocation(path, "is a directory; this output must name a file");
    }
    if (kind != OutputKind::PngDirectory) return;
    if (!fs::is_directory(status)) {
        FailLocation(path, "exists and is not a directory; name a .gif or .webp file or a directory");
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(target, error)) {
        if (entry.is_directory(error) && !entry.is_symlink(error)) {
            FailLocation(path, "holds the directory \"" + entry.path().filename().string() +
                                   "\"; a frame directory may hold only files, which a new run keeps");
        }
    }
    if (error) FailLocation(path, "cannot list this directory: " + SystemError(error.value()));
}

bool OutputExists(const std::string& path) {
    struct stat status {};
    return lstat(Normalized(path).c_str(), &status) == 0;
}

bool IsReadOnly(const std::string& path) {
    const fs::path target = Normalized(path);
    struct stat status {};
    if (stat(target.c_str(), &status) != 0) return false;
    return (status.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0;
}

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         ExistingOutput existing) {
    const Target target(path, existing);
    Descriptor file(open(target.parent.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (file.get() < 0) return WriteThroughNamedFile(target, bytes, existing);
    FillFile(file, bytes, target.ModeOr(0666), path);
    // An unnamed file gets a name through its /proc entry while it is open.
    const std::string unnamed = "/proc/self/fd/" + std::to_string(file.get());
    auto linkTo = [&](const char* name) {
        return linkat(AT_FDCWD, unnamed.c_str(), AT_FDCWD, name, AT_SYMLINK_FOLLOW) == 0;
    };
    // Where nothing is yet, the file appears under its own name directly.
    if (!target.existed && linkTo(target.path.c_str())) return;
    if (errno == EEXIST && existing == ExistingOutput::Keep) FailWrite(path, "exists; it was left as it was");
    ScratchPath staged(TemporaryName(target.parent, target.name));
    if (!linkTo(staged.path().c_str())) return WriteThroughNamedFile(target, bytes, existing);
    Commit(staged, target, existing);
}

void WriteDirectoryAtomically(const std::string& directory, int32_t count,
                              const std::function<NamedFile(int32_t)>& fileAt, ExistingOutput existing) {
    const Target target(directory, existing);
    ScratchPath staged(TemporaryName(target.parent, target.name));
    if (mkdir(staged.path().c_str(), 0700) != 0) {
        FailWrite(directory, "cannot create a temporary directory: " + SystemError());
    }
    for (int32_t index = 0; index < count; ++index) {
        const NamedFile made = fileAt(index);
        const std::string reportAs = (fs::path(directory) / made.name).string();
        Descriptor file(open((fs::path(staged.path()) / made.name).c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (file.get() < 0) FailWrite(reportAs, SystemError());
        FillAndClose(file, made.bytes, CreationMode(0666), reportAs);
    }
    const bool replacing = target.existed && S_ISDIR(target.old.st_mode);
    if (replacing) CarryOverOtherFiles(target.path, staged.path(), directory);
    if (chmod(staged.path().c_str(), target.ModeOr(0777)) != 0) FailWrite(directory, SystemError());
    const auto hold = HoldTemporaries();
    if (replacing) {
        // The old directory now has the temporary's name and goes with it.
        Exchange(staged.path(), target);
    } else {
        MoveIntoPlace(staged.path(), target);
        staged.Keep();
    }
}

}  // namespace kavrell

#include "media/output_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "media/media_error.h"

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

std::string SystemError() { return std::strerror(errno); }

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

mode_t CreationMode(mode_t requested) {
    const mode_t mask = umask(0);
    umask(mask);
    return requested & ~mask;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// A temporary file beside its final name; removed unless it was renamed.
class StagedFile {
public:
    StagedFile(const fs::path& finalPath, const std::string& reportAs)
        : finalPath_(finalPath), reportAs_(reportAs) {
        std::string pattern =
            (ParentOf(finalPath) / ("." + finalPath.filename().string() + ".XXXXXX")).string();
        const int fd = mkstemp(pattern.data());
        if (fd < 0) FailWrite(reportAs_, "cannot create a temporary file: " + SystemError());
        fd_ = fd;
        tempPath_ = pattern;
    }
    ~StagedFile() {
        if (fd_ >= 0) close(fd_);
        if (!tempPath_.empty()) unlink(tempPath_.c_str());
    }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Writes and closes the temporary; it is then ready to be renamed.
    void Fill(const std::vector<uint8_t>& bytes) {
        const bool ok = WriteAll(fd_, bytes) && fchmod(fd_, CreationMode(0666)) == 0 && fsync(fd_) == 0;
        const std::string error = ok ? "" : SystemError();
        const int fd = fd_;
        fd_ = -1;
        if (close(fd) != 0 && ok) FailWrite(reportAs_, SystemError());
        if (!ok) FailWrite(reportAs_, error);
    }

    void Commit() {
        if (rename(tempPath_.c_str(), finalPath_.c_str()) != 0) FailWrite(reportAs_, SystemError());
        tempPath_.clear();
    }

private:
    fs::path finalPath_;
    std::string reportAs_;
    std::string tempPath_;
    int fd_ = -1;
};

void WriteIntoNewDirectory(const fs::path& directory, const std::string& reportAs,
                           const std::vector<NamedFile>& files) {
    std::string pattern = (ParentOf(directory) / ("." + directory.filename().string() + ".XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        FailWrite(reportAs, "cannot create a temporary directory: " + SystemError());
    const fs::path staging = pattern;
    try {
        for (const NamedFile& file : files) {
            const std::string path = (staging / file.name).string();
            const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0) FailWrite(reportAs, SystemError());
            const bool ok = WriteAll(fd, file.bytes) && fsync(fd) == 0;
            const std::string error = ok ? "" : SystemError();
            if (close(fd) != 0 && ok) FailWrite(reportAs, SystemError());
            if (!ok) FailWrite(reportAs, error);
        }
        if (chmod(staging.c_str(), CreationMode(0777)) != 0) FailWrite(reportAs, SystemError());
        if (rename(staging.c_str(), directory.c_str()) != 0) FailWrite(reportAs, SystemError());
    } catch (...) {
        std::error_code ignored;
        fs::remove_all(staging, ignored);
        throw;
    }
}

void WriteIntoExistingDirectory(const fs::path& directory, const std::string& reportAs,
                                const std::vector<NamedFile>& files) {
    std::vector<std::unique_ptr<StagedFile>> staged;
    staged.reserve(files.size());
    for (const NamedFile& file : files) {
        staged.push_back(std::make_unique<StagedFile>(directory / file.name, reportAs));
        staged.back()->Fill(file.bytes);
    }
    for (const auto& file : staged) file->Commit();
}

}  // namespace

OutputKind OutputKindFor(const std::string& path) {
    if (EndsWithNoCase(path, ".gif")) return OutputKind::Gif;
    if (EndsWithNoCase(path, ".webp")) return OutputKind::WebP;
    return OutputKind::PngDirectory;
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
    if (kind == OutputKind::PngDirectory) {
        if (!fs::is_directory(status)) {
            FailLocation(path, "exists and is not a directory; name a .gif or .webp file or a directory");
        }
        if (access(target.c_str(), W_OK | X_OK) != 0) {
            FailLocation(path, "cannot write into this directory: " + SystemError());
        }
    }
}

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    StagedFile file(Normalized(path), path);
    file.Fill(bytes);
    file.Commit();
}

void WriteDirectoryAtomically(const std::string& directory, const std::vector<NamedFile>& files) {
    const fs::path target = Normalized(directory);
    std::error_code error;
    if (fs::is_directory(target, error)) {
        WriteIntoExistingDirectory(target, directory, files);
    } else {
        WriteIntoNewDirectory(target, directory, files);
    }
}

}  // namespace kavrell

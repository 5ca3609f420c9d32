#include "media/input_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "media/media_error.h"

namespace kavrell {
namespace {

std::string ReasonFor(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "no such file";
    case EACCES:
    case EPERM:
        return "permission denied";
    default:
        return std::strerror(error);
    }
}

}  // namespace

std::vector<uint8_t> ReadInputFile(const std::string& path, const std::string& role, const std::string& noun,
                                   size_t limit) {
    auto fail = [&](const std::string& what) -> void {
        throw MediaError(MediaError::Cause::BadInput, path, role, what);
    };
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) fail(ReasonFor(errno));
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{fd};
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) fail("is a directory, not " + noun);
    const std::string tooLarge = "larger than " + std::to_string(limit >> 20) + " MiB; too large for " + noun;
    if (S_ISREG(status.st_mode) && static_cast<uintmax_t>(status.st_size) > limit) fail(tooLarge);

    // Pipes and devices tell no size: read until the end or one byte past
    // the limit.
    std::vector<uint8_t> bytes;
    constexpr size_t kChunk = 1 << 16;
    for (;;) {
        const size_t room = std::min(kChunk, limit + 1 - bytes.size());
        const size_t used = bytes.size();
        bytes.resize(used + room);
        const ssize_t got = read(fd, bytes.data() + used, room);
        if (got < 0 && errno == EINTR) {
            bytes.resize(used);
            continue;
        }
        if (got < 0) fail(errno == EISDIR ? "is a directory, not " + noun : ReasonFor(errno));
        bytes.resize(used + static_cast<size_t>(got));
        if (got == 0) break;
        if (bytes.size() > limit) fail(tooLarge);
    }
    return bytes;
}

std::string Excerpt(std::string_view text, size_t maxLength) {
    std::string result;
    for (size_t k = 0; k < text.size(); ++k) {
        if (k == maxLength) return result + "...";
        const auto byte = static_cast<unsigned char>(text[k]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            result += static_cast<char>(byte);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            result += escaped;
        }
    }
    return result;
}

}  // namespace kavrell

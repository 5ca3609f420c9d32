#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kavrell {

// What -o names: an animated GIF, an animated WebP, or a directory of PNG
// frames, chosen by how the path ends (.gif, .webp; any case).
enum class OutputKind { Gif, WebP, PngDirectory };
OutputKind OutputKindFor(const std::string& path);

// Refuses (MediaError, BadInput) a path that cannot receive the output before
// any work is done: a missing or unwritable parent directory, a file where a
// directory should go or the other way round.
void CheckOutputLocation(const std::string& path, OutputKind kind);

// Writes bytes to path so that path holds either its old content or all of
// the new one: the bytes go to a temporary file in the same directory, which
// is then renamed over path. Throws MediaError (WriteFailed) when it fails; the
// temporary is removed.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

struct NamedFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Writes the files into directory. A directory that does not exist yet is
// filled under a temporary name beside it and renamed into place at the end,
// so it appears complete or not at all. Into an existing directory each file
// goes through its own temporary and all are renamed only once every one is
// written; files of other names stay as they are. Throws MediaError (WriteFailed)
// when it fails, leaving no temporary behind.
void WriteDirectoryAtomically(const std::string& directory, const std::vector<NamedFile>& files);

}  // namespace kavrell

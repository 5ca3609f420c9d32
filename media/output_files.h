#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kavrell {

// What -o names: an animated GIF, an animated WebP, or a directory of PNG
// frames, chosen by how the path ends (.gif, .webp; any case).
enum class OutputKind { Gif, WebP, PngDirectory };
OutputKind OutputKindFor(const std::string& path);

// The name of frame index in a PNG directory: frame_000.png, frame_001.png,
// ...; and whether a name is such a frame (of this run or an earlier one).
std::string PngFrameName(int32_t index);
bool IsPngFrameName(const std::string& name);

// Refuses (MediaError, BadInput) a path that cannot receive the output before
// any work is done: a missing or unwritable parent directory, a file where a
// directory should go or the other way round, a PNG directory that holds a
// directory (only files are carried over into the new sequence).
void CheckOutputLocation(const std::string& path, OutputKind kind);

// Whether something exists at path.
bool OutputExists(const std::string& path);

// Whether path exists and is read-only: no write bit is set, or this
// process may not write it.
bool IsReadOnly(const std::string& path);

// What a write does with an output that is already there.
enum class ExistingOutput { Replace, Keep };

// Writes bytes to path so that path holds either its old content or all of
// the new one. The file is made unnamed (O_TMPFILE) and linked into place;
// where the file system has no unnamed files, it is a named temporary
// beside path (see temporary_files.h). A replaced file keeps its permission
// bits. With ExistingOutput::Keep an existing path is left as it is and
// MediaError (WriteFailed) is thrown. Throws MediaError (WriteFailed) when it
// fails, leaving no temporary behind.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         ExistingOutput existing = ExistingOutput::Replace);

struct NamedFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Writes a directory of count files, fileAt(index) making each, whole or
// not at all: the files go into a new temporary directory beside it, which
// then takes the old directory's place in one step (an exchange), so that a
// reader sees the old sequence or the new one, never a mix. Of the old
// directory, its earlier frames (IsPngFrameName) are dropped and every other
// file is carried over by a hard link (the same file, not a copy); the new
// directory keeps the old one's permission bits. ExistingOutput and the
// failures are as for WriteFileAtomically; a failure names the file.
void WriteDirectoryAtomically(const std::string& directory, int32_t count,
                              const std::function<NamedFile(int32_t)>& fileAt,
                              ExistingOutput existing = ExistingOutput::Replace);

}  // namespace kavrell

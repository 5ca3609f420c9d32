#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kavrell {

// Reads all of the file at path, whatever kind of file it is (a regular
// file, a pipe, a device), but never more than limit bytes. The name is
// used byte for byte, as it was given. Throws MediaError (BadInput, path,
// role) with "no such file", "permission denied", "is a directory, not
// <noun>", "larger than <limit> MiB; too large for <noun>" or the system's
// reason.
std::vector<uint8_t> ReadInputFile(const std::string& path, const std::string& role, const std::string& noun,
                                   size_t limit);

// At most the first maxLength bytes of text as one printable ASCII line:
// other bytes as \xNN, and "..." where it was cut, for quoting an input in
// a message.
std::string Excerpt(std::string_view text, size_t maxLength = 40);

}  // namespace kavrell

#pragma once

#include <stdexcept>
#include <string>

namespace kavrell {

// A file that could not be read or written, reported with the file's name,
// the role it plays ("SOURCE", "output", ...) and what went wrong.
class MediaError : public std::runtime_error {
public:
    enum class Cause {
        BadInput,     // the file cannot be read or the location cannot take the output; nothing was written
        WriteFailed,  // writing the output failed (disk full, ...); nothing half-written was left
    };

    MediaError(Cause cause, std::string file, std::string field, const std::string& what)
        : std::runtime_error(what), cause_(cause), file_(std::move(file)), field_(std::move(field)) {}

    Cause cause() const { return cause_; }
    const std::string& file() const { return file_; }
    const std::string& field() const { return field_; }

private:
    Cause cause_;
    std::string file_;
    std::string field_;
};

}  // namespace kavrell

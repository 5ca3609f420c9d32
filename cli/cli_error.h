#pragma once

#include <stdexcept>
#include <string>

#include "media/media_error.h"

namespace kavrell::cli {

// Exit statuses of kavrell-morph.
enum ExitStatus : int {
    kExitCompleted = 0,   // the sequence was completed and written
    kExitFailed = 1,      // the output could not be written (disk full, ...)
    kExitBadInput = 2,    // bad usage or bad input; nothing was written
    kExitWarpFailed = 3,  // the warp failed; the frames before the failure were written
};

// A failure reported as one line "kavrell-morph: <file>: <field>: <what>"
// and an exit status. For the command line itself the file is "command line".
class CliError : public std::runtime_error {
public:
    CliError(int status, std::string file, std::string field, const std::string& what)
        : std::runtime_error(what), status_(status), file_(std::move(file)), field_(std::move(field)) {}

    // An image or output file failure, as the command line reports it.
    explicit CliError(const MediaError& error)
        : CliError(error.cause() == MediaError::Cause::BadInput ? kExitBadInput : kExitFailed, error.file(),
                   error.field(), error.what()) {}

    int status() const { return status_; }
    const std::string& file() const { return file_; }
    const std::string& field() const { return field_; }

private:
    int status_;
    std::string file_;
    std::string field_;
};

inline constexpr const char* kProgramName = "kavrell-morph";

// The one line that reports error, without the line end; control characters
// in names become '?', so that the report stays on one line.
std::string ErrorLine(const CliError& error);

}  // namespace kavrell::cli

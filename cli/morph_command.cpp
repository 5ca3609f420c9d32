#include "cli/morph_command.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "cli/cli_error.h"
#include "cli/headless_editor.h"
#include "cli/progress_bar.h"
#include "cli/project_file.h"
#include "media/frame_output.h"
#include "media/image_io.h"
#include "morph/messages.h"
#include "morph/sequence_driver.h"

namespace kavrell::cli {
namespace {

constexpr std::uintmax_t kLargestProject = 64u << 20;

// Answers every message dialog with OK and keeps what it was asked to show,
// for as long as it lives.
class MessageRecorder {
public:
    MessageRecorder() {
        InstallDialogHandler([this](const DialogRequest& request) {
            shown_.push_back(request);
            return DialogResult::Ok;
        });
    }
    ~MessageRecorder() { InstallDialogHandler({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // The text of the last message shown with code, or empty.
    std::string TextOf(int32_t code) const {
        for (auto it = shown_.rbegin(); it != shown_.rend(); ++it) {
            if (it->code == code) return it->text;
        }
        return {};
    }

private:
    std::vector<DialogRequest> shown_;
};

std::string ReadProjectText(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) throw CliError(kExitBadInput, path, "project", "no such file");
    if (fs::is_directory(status))
        throw CliError(kExitBadInput, path, "project", "is a directory, not a project file");
    if (fs::is_regular_file(status) && fs::file_size(path, error) > kLargestProject) {
        throw CliError(kExitBadInput, path, "project", "larger than 64 MiB; not a project file");
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in && !in.eof()) throw CliError(kExitBadInput, path, "project", "cannot read the file");
    return text.str();
}

Project LoadProject(const std::string& path, const Bitmap& source) {
    const std::string text = ReadProjectText(path);
    try {
        return ParseProject(text, source.Width(), source.Height());
    } catch (const ProjectError& error) {
        throw CliError(kExitBadInput, path, error.field(), error.what());
    }
}

bool HasControlPoints(const WarpObjStru& warp) {
    return warp.method == 0 ? warp.meshCols != 0 : warp.pointCount != 0;
}

const char* MethodField(WarpMethod method) { return method == WarpMethod::Mesh ? "mesh" : "field"; }

void PrintSummary(const FrameList& frames, const MorphSession& session, bool completed) {
    const Bitmap& first = frames.Frame(0);
    const nlohmann::ordered_json summary = {
        {"frames", frames.Count()},
        {"width", first.Width()},
        {"height", first.Height()},
        {"delay_ms", session.FrameDelay * 10},
        {"mode", session.WarpObj->warpOnly ? "warp-only" : "full"},
        {"completed", completed},
    };
    std::cout << summary.dump() << std::endl;
}

}  // namespace

int RunMorph(const MorphOptions& options) {
    // Everything is read and checked before anything is generated or written.
    const Bitmap source = ReadImage(options.source, "SOURCE");
    std::optional<Bitmap> destination;
    if (options.destination) destination = ReadImage(*options.destination, "DESTINATION");
    const Project project = LoadProject(options.project, source);
    const OutputKind kind = OutputKindFor(options.output);
    CheckOutputLocation(options.output, kind);

    MessageRecorder messages;
    HeadlessEditor editor(source, destination ? &*destination : nullptr);
    if (project.mesh) editor.PlaceMesh(*project.mesh);
    if (project.field) editor.DrawField(*project.field);

    WarpObjStru& warp = editor.Warp();
    warp.method = static_cast<int32_t>(project.method);
    if (!HasControlPoints(warp)) {
        MorphMessage(kMsgNoControlPoints);
        throw CliError(kExitBadInput, options.project, MethodField(project.method),
                       messages.TextOf(kMsgNoControlPoints));
    }

    // What "Execute morphing" and "Morph preview" set before they generate.
    MorphSession& session = editor.Session();
    warp.linear = project.interpolation == Interpolation::Linear;
    session.FrameCount = options.frames.value_or(project.frames);
    session.FrameDelay = options.delay.value_or(project.delay);
    session.PreviewMode = options.preview;
    editor.Frames().Clear();
    editor.Gauge().SetProgress(0);

    ProgressBar bar(stderr, !options.quiet && isatty(STDERR_FILENO));
    editor.Gauge().SetListener([&bar](int32_t progress) { bar.Show(progress); });
    bar.Show(0);
    const bool completed = GenerateMorphSequence(session);
    editor.Gauge().SetListener({});
    bar.Finish();

    const std::string failure = messages.TextOf(kMsgGenerationFailed);
    if (!completed && failure.empty()) {
        throw CliError(kExitFailed, options.project, MethodField(project.method),
                       "the sequence was not generated");
    }
    WriteFrames(editor.Frames(), options.output, kind);
    if (options.json) PrintSummary(editor.Frames(), session, completed);
    if (!completed) {
        std::cerr << ErrorLine(
                         CliError(kExitWarpFailed, options.project, MethodField(project.method), failure))
                  << std::endl;
        return kExitWarpFailed;
    }
    return kExitCompleted;
}

}  // namespace kavrell::cli

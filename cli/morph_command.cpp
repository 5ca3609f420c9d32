#include "cli/morph_command.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <vector>

#include "cli/cli_error.h"
#include "cli/output_check.h"
#include "cli/progress_bar.h"
#include "cli/project_file.h"
#include "cli/project_input.h"
#include "cli/project_placement.h"
#include "media/frame_output.h"
#include "media/image_io.h"
#include "media/output_files.h"
#include "morph/editor_model.h"
#include "morph/messages.h"

namespace kavrell::cli {
namespace {

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

Project LoadProject(const std::string& path, const Bitmap& source) {
    const std::string text = ReadProjectText(path);
    try {
        return ParseProject(text, source.Width(), source.Height());
    } catch (const ProjectError& error) {
        throw CliError(kExitBadInput, path, error.field(), error.what());
    }
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
    CheckOutput(options.output, kind, options.force);

    MessageRecorder messages;
    EditorModel editor;
    editor.Show(source, destination ? &*destination : nullptr);
    if (project.mesh) PlaceMesh(editor, *project.mesh);
    if (project.field) DrawField(editor, *project.field);
    editor.CommonButtonsClick(project.method == WarpMethod::Mesh ? TagMesh : TagField);

    // The controls "Execute morphing" and "Morph preview" read.
    editor.SetLinear(project.interpolation == Interpolation::Linear);
    editor.SetFrameCount(options.frames.value_or(project.frames));
    editor.SetDelay(options.delay.value_or(project.delay));

    // The bar appears when the generation starts, after the editor's checks.
    ProgressBar bar(stderr, !options.quiet && isatty(STDERR_FILENO));
    editor.SetBusyListener([&bar](bool busy) {
        if (busy) bar.Show(0);
    });
    editor.Gauge().SetListener([&bar](int32_t progress) { bar.Show(progress); });
    const GenerationResult result = editor.Generate(options.preview);
    editor.Gauge().SetListener({});
    editor.SetBusyListener({});
    bar.Finish();
    if (result == GenerationResult::Refused) {
        throw CliError(kExitBadInput, options.project, MethodField(project.method),
                       messages.TextOf(kMsgNoControlPoints));
    }
    const bool completed = result == GenerationResult::Completed;

    const std::string failure = messages.TextOf(kMsgGenerationFailed);
    if (!completed && failure.empty()) {
        throw CliError(kExitFailed, options.project, MethodField(project.method),
                       "the sequence was not generated");
    }
    if (completed) {
        WriteFrames(editor.Sequence(), options.output, kind);
        if (options.json) PrintSummary(editor.Sequence(), editor.Session(), completed);
        return kExitCompleted;
    }
    // A failed run never replaces an earlier output; its frames go only
    // where there was nothing.
    const int32_t made = editor.Sequence().Count();
    const bool keptEarlier = OutputExists(options.output);
    if (!keptEarlier) WriteFrames(editor.Sequence(), options.output, kind, ExistingOutput::Keep);
    if (options.json) PrintSummary(editor.Sequence(), editor.Session(), completed);
    const std::string frames = made == 1 ? "1 frame" : std::to_string(made) + " frames";
    const std::string outcome =
        keptEarlier
            ? " (" + frames + " made and dropped: the earlier \"" + options.output + "\" was left as it was)"
            : " (" + frames + " made before the failure were kept in \"" + options.output + "\")";
    std::cerr << ErrorLine(CliError(kExitWarpFailed, options.project, MethodField(project.method),
                                    failure + outcome))
              << std::endl;
    return kExitWarpFailed;
}

}  // namespace kavrell::cli

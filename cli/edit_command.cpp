#include "cli/edit_command.h"

#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/cli_error.h"
#include "cli/edit_host.h"
#include "cli/edit_window.h"
#include "cli/project_capture.h"
#include "cli/project_input.h"
#include "cli/project_writer.h"
#include "media/frame_output.h"
#include "media/image_io.h"
#include "message_dialogs.h"
#include "platform/message_service.h"

namespace kavrell::cli {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void RefuseProject(const std::string& path, const std::string& what) {
    throw CliError(kExitBadInput, path, "project", what);
}

// The widget application, created here when the caller has none. Without a
// display Qt would abort, so that is refused with a message first.
std::unique_ptr<QApplication> WidgetApplication() {
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            throw std::logic_error("edit needs a widget application");
        return nullptr;
    }
    const bool display =
        std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display) {
        throw CliError(kExitBadInput, "command line", kEditCommand,
                       "opens a window and needs a display: set DISPLAY, or QT_QPA_PLATFORM=offscreen");
    }
    static int argc = 1;
    static char name[] = "kavrell-morph";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QApplication>(argc, argv);
}

// The project's text, or none when the file does not exist yet.
std::optional<std::string> ReadExistingProject(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) return std::nullopt;
    if (!fs::is_regular_file(status)) RefuseProject(path, "is not a regular file");
    // The project is written back when the window closes: a file that
    // cannot take it is refused now, not after the user's work. A file
    // without write permission counts as read-only even for root.
    const fs::perms perms = status.permissions();
    const fs::perms writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((perms & writable) == fs::perms::none || access(path.c_str(), W_OK) != 0) {
        RefuseProject(path,
                      "is read-only; edit writes the project back when the window closes (make it "
                      "writable or name another file)");
    }
    return ReadProjectText(path);
}

// The image size a mesh project was made for: its mesh border ends at the
// last pixel column and row. None when the text has no readable mesh.
std::optional<std::pair<int64_t, int64_t>> MeshImageSize(const std::string& text) {
    try {
        const nlohmann::json document = nlohmann::json::parse(text);
        const nlohmann::json& corner = document.at("mesh").at("src").back().back();
        return std::pair{corner.at(0).get<int64_t>() + 1, corner.at(1).get<int64_t>() + 1};
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

Project LoadProject(const std::string& path, const std::string& text, const Bitmap& source) {
    const auto size = MeshImageSize(text);
    if (size && (size->first != source.Width() || size->second != source.Height())) {
        throw CliError(kExitBadInput, path, "mesh",
                       "made for images of " + std::to_string(size->first) + " x " +
                           std::to_string(size->second) + " pixels, but SOURCE is " +
                           std::to_string(source.Width()) + " x " + std::to_string(source.Height()) +
                           "; open the project with images of its size");
    }
    try {
        return ParseProject(text, source.Width(), source.Height());
    } catch (const ProjectError& error) {
        throw CliError(kExitBadInput, path, error.field(), error.what());
    }
}

// Shows the window modally until it closes; answers the project as it then
// stood.
Project EditInWindow(const Project& project) {
    std::optional<Project> closedWith;
    ui::InstallWidgetDialogs();
    auto* window = new ProjectEditorWindow(project, closedWith);
    ui::frmKavrell = window;
    window->SetCallback(EditHost::Callback());
    window->exec();  // deletes the window: it closes itself on delete
    InstallDialogHandler({});
    if (!closedWith) throw std::logic_error("the editor window closed without its record");
    return *closedWith;
}

}  // namespace

int RunEdit(const EditOptions& options, std::ostream& out) {
    const std::unique_ptr<QApplication> application = WidgetApplication();

    // Everything is read and checked before the window opens.
    const Bitmap source = ReadImage(options.source, "SOURCE");
    std::optional<Bitmap> destination;
    if (options.destination) destination = ReadImage(*options.destination, "DESTINATION");
    const std::optional<std::string> text = ReadExistingProject(options.project);
    const Project project = text ? LoadProject(options.project, *text, source) : Project{};
    CheckOutputLocation(options.project, OutputKind::Gif);
    std::optional<OutputKind> kind;
    if (options.output) {
        kind = OutputKindFor(*options.output);
        CheckOutputLocation(*options.output, *kind);
    }

    EditHost host(source, destination);
    const Project edited = EditInWindow(project);

    const std::string written = FormatProject(edited);
    WriteFileAtomically(options.project, std::vector<uint8_t>(written.begin(), written.end()));
    out << kProgramName << ": wrote " << options.project << ": " << DescribeProject(edited) << std::endl;
    const int32_t frames = host.Frames().Count();
    if (frames > 0 && kind) {
        WriteFrames(host.Frames(), *options.output, *kind);
        out << kProgramName << ": wrote " << frames << " frames to " << *options.output << std::endl;
    } else if (frames > 0) {
        out << kProgramName << ": " << frames << " saved frames not written: no -o OUTPUT was given"
            << std::endl;
    }
    return kExitCompleted;
}

}  // namespace kavrell::cli

// kavrell-morph: the batch command line. Images and a JSON project in,
// an animated GIF, an animated WebP or a directory of PNG frames out.

#include <QCoreApplication>
#include <QtGlobal>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_error.h"
#include "cli/edit_command.h"
#include "cli/init_command.h"
#include "cli/interrupt_handler.h"
#include "cli/morph_command.h"
#include "cli/options.h"

namespace {

// Qt's own messages would add lines to stderr; every failure is reported by
// our one line instead. (While an image is decoded, a codec's warnings are
// collected and refuse the image.)
void SilenceQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

int Report(const kavrell::cli::CliError& error) {
    std::cerr << ErrorLine(error) << std::endl;
    return error.status();
}

int Run(const std::vector<std::string>& args) {
    using namespace kavrell::cli;
    try {
        const CommandLine line = ParseCommandLine(args);
        switch (line.command) {
        case Command::Help:
            std::cout << HelpText();
            return kExitCompleted;
        case Command::Version:
            std::cout << kProgramName << " " << KAVRELL_VERSION << "\n";
            return kExitCompleted;
        case Command::Init:
            return RunInit(line.init);
        case Command::Morph:
            return RunMorph(line.morph);
        case Command::Edit:
            return RunEdit(line.edit);
        }
    } catch (const CliError& error) {
        return Report(error);
    } catch (const kavrell::MediaError& error) {
        return Report(CliError(error));
    } catch (const std::exception& error) {
        std::cerr << kProgramName << ": internal error: " << error.what() << std::endl;
        return kExitFailed;
    }
    return kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
    kavrell::cli::EndCleanlyOnInterrupt();
    qInstallMessageHandler(SilenceQtMessages);
    // The image plug-ins (JPEG, GIF) are found through the application object.
    // edit creates a widget application of its own; everything else runs
    // without a display.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    std::optional<QCoreApplication> application;
    if (argc < 2 || argv[1] != std::string(kavrell::cli::kEditCommand)) application.emplace(qtArgc, qtArgv);
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}

// qvx-host: a small host application for .qvx plug-ins. It opens frames,
// runs a plug-in on the current frame, keeps the frames the plug-in hands
// back and saves the animation.
//
//   qvx-host [--plugins DIR] [FRAME...]

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include "host/host_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("qvx-host");

    QCommandLineParser parser;
    parser.setApplicationDescription("Opens frames and runs .qvx plug-ins on them.");
    parser.addHelpOption();
    // Beside a build, the plug-ins are built into ../plugin.
    const QString builtPlugIns = QDir(QApplication::applicationDirPath()).absoluteFilePath("../plugin");
    const QCommandLineOption plugIns("plugins", "Loads the .qvx plug-ins of <dir>.", "dir",
                                     QDir::cleanPath(builtPlugIns));
    parser.addOption(plugIns);
    parser.addPositionalArgument("frames", "Image files, one animated GIF or WebP, or a PNG folder.",
                                 "[FRAME...]");
    parser.process(application);

    qvxhost::HostWindow window(parser.value(plugIns));
    window.show();
    if (!parser.positionalArguments().isEmpty()) window.OpenFrames(parser.positionalArguments());
    return QApplication::exec();
}

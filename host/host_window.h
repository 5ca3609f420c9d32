#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <vector>

#include "host/host_frame.h"
#include "host/plugin_library.h"

class QAction;
class QListWidget;
class QMenu;

namespace qvxhost {

class FramePreview;

// The host's main window: the animation's frames in a strip under a preview
// of the current one, the animation mode, and a Plug-ins menu that runs a
// plug-in on the current frame and inserts what it hands back.
class HostWindow : public QMainWindow {
public:
    // Offers the .qvx plug-ins found in plugInDirectory.
    explicit HostWindow(const QString& plugInDirectory);
    ~HostWindow() override;

    // Replaces the animation with the frames of paths (image files, animated
    // GIF or WebP files, folders of PNG frames). When one cannot be read it
    // says so and keeps the animation as it was; returns whether it opened.
    bool OpenFrames(const QStringList& paths);

private:
    void BuildMenus();
    void LoadPlugIns(const QString& directory);
    void RunPlugIn(const PlugInLibrary& plugIn);
    void DescribePlugIn(const PlugInLibrary& plugIn);
    void OpenFilesFromDialog();
    void OpenFolderFromDialog();
    void SaveFromDialog();
    void ShowFrames(int currentRow);
    void ShowCurrentFrame();

    HostFrames frames_;
    std::vector<std::unique_ptr<PlugInLibrary>> plugIns_;
    QString plugInDirectory_;
    QString lastDirectory_;
    FramePreview* preview_;
    QListWidget* strip_;
    QAction* animationMode_;
    QMenu* plugInsMenu_;
};

}  // namespace qvxhost

#include "host/host_window.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "host/frame_files.h"
#include "host/frame_preview.h"
#include "host/plugin_call.h"
#include "media/media_error.h"

namespace qvxhost {
namespace {

constexpr QSize kThumbnailSize(112, 84);

const QString kGifFilter = QStringLiteral("Animated GIF (*.gif)");
const QString kWebPFilter = QStringLiteral("Animated WebP (*.webp)");
const QString kPngFolderFilter = QStringLiteral("Folder of PNG frames (*)");

QString ErrorText(const kavrell::MediaError& error) {
    return QStringLiteral("%1: %2").arg(QString::fromStdString(error.file()),
                                        QString::fromUtf8(error.what()));
}

QString FrameCaption(int index, const HostFrame& frame) {
    return QStringLiteral("%1  \u00b7  %2 ms").arg(index + 1).arg(frame.delayMs);
}

// The save path with the chosen format's ending added when it has none.
QString WithEnding(const QString& path, const QString& filter) {
    if (path.endsWith(".gif", Qt::CaseInsensitive) || path.endsWith(".webp", Qt::CaseInsensitive))
        return path;
    if (filter == kGifFilter) return path + ".gif";
    if (filter == kWebPFilter) return path + ".webp";
    return path;
}

}  // namespace

HostWindow::HostWindow(const QString& plugInDirectory)
    : plugInDirectory_(plugInDirectory), lastDirectory_(QDir::currentPath()) {
    setWindowTitle("qvx-host");
    resize(900, 640);

    preview_ = new FramePreview;
    strip_ = new QListWidget;
    strip_->setViewMode(QListView::IconMode);
    strip_->setFlow(QListView::LeftToRight);
    strip_->setWrapping(false);
    strip_->setMovement(QListView::Static);
    strip_->setIconSize(kThumbnailSize);
    strip_->setGridSize(kThumbnailSize + QSize(24, 30));
    strip_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    strip_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strip_->setFixedHeight(kThumbnailSize.height() + 58);
    strip_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(strip_, &QListWidget::currentRowChanged, this, [this] { ShowCurrentFrame(); });

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(preview_, 1);
    layout->addWidget(strip_);
    setCentralWidget(central);

    BuildMenus();
    LoadPlugIns(plugInDirectory);
    ShowFrames(-1);
}

HostWindow::~HostWindow() = default;

void HostWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    QAction* open = file->addAction("&Open frames...", this, [this] { OpenFilesFromDialog(); });
    open->setShortcut(QKeySequence::Open);
    file->addAction("Open PNG &folder...", this, [this] { OpenFolderFromDialog(); });
    QAction* save = file->addAction("&Save animation as...", this, [this] { SaveFromDialog(); });
    save->setShortcut(QKeySequence::Save);
    file->addSeparator();
    QAction* quit = file->addAction("&Quit", this, [this] { close(); });
    quit->setShortcut(QKeySequence::Quit);

    QMenu* animation = menuBar()->addMenu("&Animation");
    animationMode_ = animation->addAction("Animation mode");
    animationMode_->setCheckable(true);
    animationMode_->setStatusTip("Plug-ins that make animation frames work only while this is on");
    connect(animationMode_, &QAction::toggled, this, [this] { ShowCurrentFrame(); });

    plugInsMenu_ = menuBar()->addMenu("&Plug-ins");

    QToolBar* tools = addToolBar("Tools");
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addAction(open);
    tools->addAction(save);
    tools->addSeparator();
    tools->addAction(animationMode_);
}

void HostWindow::LoadPlugIns(const QString& directory) {
    const QDir folder(directory);
    for (const QString& name : folder.entryList({"*.qvx"}, QDir::Files, QDir::Name)) {
        QString error;
        std::unique_ptr<PlugInLibrary> plugIn = PlugInLibrary::Load(folder.filePath(name), error);
        if (!plugIn) {
            QAction* broken = plugInsMenu_->addAction(QStringLiteral("%1 (cannot be loaded)").arg(name));
            broken->setEnabled(false);
            broken->setStatusTip(error);
            continue;
        }
        plugIns_.push_back(std::move(plugIn));
    }
    if (plugIns_.empty() && plugInsMenu_->isEmpty()) {
        plugInsMenu_->addAction(QStringLiteral("No plug-ins in %1").arg(QDir::toNativeSeparators(directory)))
            ->setEnabled(false);
        return;
    }
    for (const auto& plugIn : plugIns_) {
        const PlugInLibrary* library = plugIn.get();
        QAction* run = plugInsMenu_->addAction(library->identification(), this,
                                               [this, library] { RunPlugIn(*library); });
        run->setStatusTip(library->description().section('\n', 0, 0));
    }
    if (plugIns_.empty()) return;
    plugInsMenu_->addSeparator();
    QMenu* about = plugInsMenu_->addMenu("About plug-ins");
    for (const auto& plugIn : plugIns_) {
        const PlugInLibrary* library = plugIn.get();
        about->addAction(library->identification(), this, [this, library] { DescribePlugIn(*library); });
    }
}

void HostWindow::RunPlugIn(const PlugInLibrary& plugIn) {
    if (frames_.isEmpty()) {
        QMessageBox::information(this, plugIn.identification(),
                                 "Open frames first: a plug-in works on the current frame.");
        return;
    }
    const int current = std::max(0, strip_->currentRow());
    const bool hasNext = current + 1 < frames_.size();
    PlugInCall call(animationMode_->isChecked(), frames_[current].image,
                    hasNext ? &frames_[current + 1].image : nullptr);
    call.Run(plugIn, static_cast<HostWindowHandle>(winId()));

    const HostFrames& received = call.received();
    for (int i = 0; i < received.size(); ++i) frames_.insert(current + 1 + i, received[i]);
    ShowFrames(current);
    statusBar()->showMessage(QStringLiteral("%1 added %2 frame(s) after frame %3")
                                 .arg(plugIn.identification())
                                 .arg(received.size())
                                 .arg(current + 1));
    if (call.refused() > 0) {
        QMessageBox::warning(this, plugIn.identification(),
                             QStringLiteral("The plug-in handed over %1 frame(s) that could not be read; "
                                            "they were left out.")
                                 .arg(call.refused()));
    }
}

void HostWindow::DescribePlugIn(const PlugInLibrary& plugIn) {
    QString text = plugIn.description();
    if (!plugIn.address().isEmpty()) text += "\n\n" + plugIn.address();
    text += QStringLiteral("\n\nInterface version %1, kind %2\n%3")
                .arg(plugIn.version())
                .arg(plugIn.kind())
                .arg(QDir::toNativeSeparators(plugIn.path()));
    QMessageBox::about(this, plugIn.identification(), text);
}

bool HostWindow::OpenFrames(const QStringList& paths) {
    try {
        HostFrames frames = ReadFrames(paths);
        frames_ = std::move(frames);
    } catch (const kavrell::MediaError& error) {
        QMessageBox::warning(this, "Cannot open the frames", ErrorText(error));
        return false;
    }
    if (!paths.isEmpty()) {
        const QFileInfo first(paths.front());
        lastDirectory_ = first.absolutePath();
        setWindowTitle(QStringLiteral("%1 - qvx-host").arg(first.fileName()));
    }
    ShowFrames(frames_.isEmpty() ? -1 : 0);
    return true;
}

void HostWindow::OpenFilesFromDialog() {
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, "Open frames", lastDirectory_,
        "Images and animations (*.png *.gif *.webp *.jpg *.jpeg *.bmp);;All files (*)");
    if (!paths.isEmpty()) OpenFrames(paths);
}

void HostWindow::OpenFolderFromDialog() {
    const QString folder = QFileDialog::getExistingDirectory(this, "Open PNG folder", lastDirectory_);
    if (!folder.isEmpty()) OpenFrames({folder});
}

void HostWindow::SaveFromDialog() {
    if (frames_.isEmpty()) {
        QMessageBox::information(this, "Save animation", "There are no frames to save.");
        return;
    }
    QString filter = kGifFilter;
    const QString chosen =
        QFileDialog::getSaveFileName(this, "Save animation", lastDirectory_,
                                     kGifFilter + ";;" + kWebPFilter + ";;" + kPngFolderFilter, &filter);
    if (chosen.isEmpty()) return;
    const QString path = WithEnding(chosen, filter);
    try {
        WriteFrames(frames_, path);
    } catch (const kavrell::MediaError& error) {
        QMessageBox::warning(this, "Cannot save the animation", ErrorText(error));
        return;
    }
    lastDirectory_ = QFileInfo(path).absolutePath();
    statusBar()->showMessage(
        QStringLiteral("Saved %1 frame(s) to %2").arg(frames_.size()).arg(QDir::toNativeSeparators(path)));
}

void HostWindow::ShowFrames(int currentRow) {
    const QSignalBlocker quiet(strip_);
    strip_->clear();
    for (int index = 0; index < frames_.size(); ++index) {
        const HostFrame& frame = frames_[index];
        const QImage thumbnail =
            frame.image.scaled(kThumbnailSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(thumbnail)), FrameCaption(index, frame));
        item->setToolTip(QStringLiteral("Frame %1: %2 x %3, shown for %4 ms")
                             .arg(index + 1)
                             .arg(frame.image.width())
                             .arg(frame.image.height())
                             .arg(frame.delayMs));
        strip_->addItem(item);
    }
    strip_->setCurrentRow(currentRow);
    if (currentRow >= 0) strip_->scrollToItem(strip_->item(currentRow));
    ShowCurrentFrame();
}

void HostWindow::ShowCurrentFrame() {
    const int current = strip_->currentRow();
    preview_->SetImage(current >= 0 ? frames_[current].image : QImage());
    const QString mode = animationMode_->isChecked() ? "on" : "off";
    if (current < 0) {
        statusBar()->showMessage(QStringLiteral("No frames  \u00b7  animation mode %1").arg(mode));
        return;
    }
    statusBar()->showMessage(
        QStringLiteral("Frame %1 of %2  \u00b7  %3 x %4  \u00b7  %5 ms  \u00b7  animation mode %6")
            .arg(current + 1)
            .arg(frames_.size())
            .arg(frames_[current].image.width())
            .arg(frames_[current].image.height())
            .arg(frames_[current].delayMs)
            .arg(mode));
}

}  // namespace qvxhost

#include "application_object.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <memory>

namespace kavrell::plugin {
namespace {

HostWindowHandle applicationHandle = 0;

// QApplication keeps references to its argument count and vector for its
// whole life.
int ownArgc = 1;
char ownName[] = "Kavrell_qvx";
char* ownArgv[] = {ownName, nullptr};

// Created only when the host has no application object; destroyed with the
// library's other static objects when the library is unloaded.
std::unique_ptr<QApplication> ownApplication;

}  // namespace

void EnsureApplication() {
    if (QCoreApplication::instance() == nullptr)
        ownApplication = std::make_unique<QApplication>(ownArgc, ownArgv);
}

HostWindowHandle ApplicationHandle() { return applicationHandle; }

void SetApplicationHandle(HostWindowHandle handle) { applicationHandle = handle; }

void AttachToApplicationHandle(QWidget& window) {
    if (applicationHandle == 0 || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    QWindow* owner = QWindow::fromWinId(static_cast<WId>(applicationHandle));
    if (owner == nullptr) return;
    // The foreign window only stands for the host's window; it lives as long
    // as the window that is transient for it.
    QObject::connect(&window, &QObject::destroyed, owner, [owner] { delete owner; });
    window.winId();  // creates the native window, so that it has a QWindow
    window.windowHandle()->setTransientParent(owner);
}

}  // namespace kavrell::plugin

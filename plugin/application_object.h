#pragma once

#include "qvx_plugin.h"

class QWidget;

namespace kavrell::plugin {

// The application object the plug-in's windows run in: the host's
// QApplication when the host is a Qt program, otherwise one the plug-in
// creates on first use and keeps until the library is unloaded, so that a
// host with no Qt of its own still gets windows, dialogs and an event loop.
void EnsureApplication();

// The window that owns the plug-in's modal windows: the host's native window
// id, 0 for none.
HostWindowHandle ApplicationHandle();
void SetApplicationHandle(HostWindowHandle handle);

// Makes a top-level window transient for the application's handle, so that
// the window manager keeps it above the host's window. Only X11 lets a window
// name a foreign owner; elsewhere (the offscreen platform included) the
// window is left as it is.
void AttachToApplicationHandle(QWidget& window);

}  // namespace kavrell::plugin

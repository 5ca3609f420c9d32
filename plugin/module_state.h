#pragma once

#include <cstddef>

#include "qvx_plugin.h"

namespace kavrell::plugin {

// The plug-in's module-level state. Everything is zero when the library is
// loaded; the editor window's own instance pointer, frmKavrell, lives beside
// its class in the user interface.

inline constexpr size_t kIdentificationSize = 128;

// Holds the identification text that QVX_Identification returns.
extern char identificationBuffer[kIdentificationSize];

// The application object's handle as it was when QVX_Execute last replaced
// it; QVX_Shutdown gives it back.
extern HostWindowHandle savedApplicationHandle;

}  // namespace kavrell::plugin

#pragma once

#include <cstdint>

#include "qvx_plugin.h"

namespace kavrell::plugin {

// What the six exports of Kavrell_qvx.qvx do; qvx_exports.cpp gives them
// their C names.

inline constexpr int32_t kPlugInInterfaceVersion = 20;
inline constexpr int32_t kPlugInKind = 2001;

// Fills the identification buffer with "Kavrell 2.1" and returns it: the
// same pointer on every call.
const char* Identification();

int32_t PlugInVersion();
int32_t Extension();

// Writes the description text at the start of buffer and the maker's web
// address at QVX_DESCRIPTION_ADDRESS_OFFSET, leaving the bytes between as
// they were. Returns the address's first byte.
char* Description(char* buffer);

// Runs one invocation: asks the host whether its animation mode is on, and
// either warns that it is off or shows the editor window modally until it is
// closed. Always returns 0.
int32_t Execute(HostWindowHandle window, HostCallback callback);

// Closes an editor window that is still open and gives the application
// object back the handle it had before the last QVX_Execute. Returns 0.
int32_t Shutdown(int32_t ignored);

}  // namespace kavrell::plugin

#include "module_state.h"

namespace kavrell::plugin {

char identificationBuffer[kIdentificationSize];
HostWindowHandle savedApplicationHandle = 0;

namespace {

// Runs when the library is loaded: the identification buffer starts empty
// until QVX_Identification fills it.
__attribute__((constructor)) void InitialiseOnLoad() { identificationBuffer[0] = 0; }

}  // namespace

}  // namespace kavrell::plugin

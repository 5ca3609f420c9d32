// The six functions Kavrell_qvx.qvx exports, under their plain C names.
// exports.map hides every other symbol of the library.
#include "plugin_exports.h"

#define QVX_EXPORT extern "C" __attribute__((visibility("default")))

QVX_EXPORT const char* QVX_Identification(void) { return kavrell::plugin::Identification(); }

QVX_EXPORT int32_t QVX_GetPlugInVersion(void) { return kavrell::plugin::PlugInVersion(); }

QVX_EXPORT int32_t QVX_GetExtension(void) { return kavrell::plugin::Extension(); }

QVX_EXPORT int32_t QVX_Execute(HostWindowHandle window, HostCallback callback) {
    return kavrell::plugin::Execute(window, callback);
}

QVX_EXPORT int32_t QVX_Shutdown(int32_t ignored) { return kavrell::plugin::Shutdown(ignored); }

QVX_EXPORT char* QVX_Description(char* buffer) { return kavrell::plugin::Description(buffer); }

#include "host/plugin_library.h"

#include <dlfcn.h>

#include <QByteArray>
#include <vector>

namespace qvxhost {
namespace {

// Plug-ins write 8-bit Windows-1252 text (a bullet is byte 0x95); it differs
// from Latin-1 only in 0x80-0x9F.
QString DecodeWindows1252(const char* text) {
    static const char16_t kHighControls[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString decoded;
    for (const char* c = text; *c; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        decoded += byte >= 0x80 && byte < 0xA0 ? QChar(kHighControls[byte - 0x80]) : QChar(byte);
    }
    return decoded;
}

template <typename Proc>
Proc Find(void* handle, const char* name, QString& missing) {
    void* symbol = dlsym(handle, name);
    if (!symbol) missing += missing.isEmpty() ? name : QStringLiteral(", ") + name;
    return reinterpret_cast<Proc>(symbol);
}

}  // namespace

std::unique_ptr<PlugInLibrary> PlugInLibrary::Load(const QString& path, QString& error) {
    void* handle = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        error = QString::fromLocal8Bit(dlerror());
        return nullptr;
    }
    QString missing;
    const auto identification = Find<QVX_IdentificationProc>(handle, "QVX_Identification", missing);
    const auto version = Find<QVX_GetPlugInVersionProc>(handle, "QVX_GetPlugInVersion", missing);
    const auto kind = Find<QVX_GetExtensionProc>(handle, "QVX_GetExtension", missing);
    const auto description = Find<QVX_DescriptionProc>(handle, "QVX_Description", missing);
    const auto execute = Find<QVX_ExecuteProc>(handle, "QVX_Execute", missing);
    const auto shutdown = Find<QVX_ShutdownProc>(handle, "QVX_Shutdown", missing);
    if (!missing.isEmpty()) {
        dlclose(handle);
        error = QStringLiteral("not a plug-in: it does not export %1").arg(missing);
        return nullptr;
    }
    std::unique_ptr<PlugInLibrary> library(new PlugInLibrary);
    library->path_ = path;
    library->handle_ = handle;
    library->execute_ = execute;
    library->shutdown_ = shutdown;
    const char* name = identification();
    library->identification_ = name && *name ? DecodeWindows1252(name) : QStringLiteral("(unnamed plug-in)");
    library->version_ = version();
    library->kind_ = kind();
    // Zero-filled, so that the description ends within the buffer whatever
    // the plug-in leaves unwritten.
    std::vector<char> buffer(QVX_DESCRIPTION_BUFFER_SIZE + 1, '\0');
    const char* address = description(buffer.data());
    buffer[QVX_DESCRIPTION_ADDRESS_OFFSET - 1] = '\0';
    library->description_ = DecodeWindows1252(buffer.data()).trimmed();
    if (address == buffer.data() + QVX_DESCRIPTION_ADDRESS_OFFSET) {
        buffer[QVX_DESCRIPTION_BUFFER_SIZE] = '\0';
        library->address_ = DecodeWindows1252(address);
    }
    return library;
}

PlugInLibrary::~PlugInLibrary() {
    shutdown_(0);
    dlclose(handle_);
}

void PlugInLibrary::Execute(HostWindowHandle window, HostCallback callback) const {
    execute_(window, callback);
}

}  // namespace qvxhost

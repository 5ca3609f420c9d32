#pragma once

#include <QString>
#include <memory>

#include "qvx_plugin.h"

namespace qvxhost {

// One .qvx plug-in loaded with dlopen, reached through its six exported
// functions alone. Unloading calls QVX_Shutdown first.
class PlugInLibrary {
public:
    // Loads path; on failure returns null and sets error to the reason.
    static std::unique_ptr<PlugInLibrary> Load(const QString& path, QString& error);
    ~PlugInLibrary();
    PlugInLibrary(const PlugInLibrary&) = delete;
    PlugInLibrary& operator=(const PlugInLibrary&) = delete;

    const QString& path() const { return path_; }
    const QString& identification() const { return identification_; }
    const QString& description() const { return description_; }
    const QString& address() const { return address_; }
    int version() const { return version_; }
    int kind() const { return kind_; }

    // Runs one invocation; returns when the plug-in is done with it.
    void Execute(HostWindowHandle window, HostCallback callback) const;

private:
    PlugInLibrary() = default;

    QString path_;
    void* handle_ = nullptr;
    QVX_ExecuteProc execute_ = nullptr;
    QVX_ShutdownProc shutdown_ = nullptr;
    QString identification_;
    QString description_;
    QString address_;
    int version_ = 0;
    int kind_ = 0;
};

}  // namespace qvxhost

#pragma once

class QWidget;

namespace kavrell::ui {

// Installs the message-dialog handler that shows each request in a modal
// QMessageBox over parent (or over the active window when parent is null):
// the dialog type's standard icon and caption, OK or Yes and No, and Cancel
// when the dialog is closed by its close box or with Escape.
void InstallWidgetDialogs(QWidget* parent = nullptr);

}  // namespace kavrell::ui

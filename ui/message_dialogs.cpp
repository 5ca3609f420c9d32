#include "message_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "platform/message_service.h"

namespace kavrell::ui {
namespace {

QMessageBox::Icon IconOf(DialogType type) {
    switch (type) {
    case DialogType::Error:
        return QMessageBox::Critical;
    case DialogType::Warning:
        return QMessageBox::Warning;
    case DialogType::Confirmation:
        break;
    }
    return QMessageBox::Question;
}

QString CaptionOf(DialogType type) {
    switch (type) {
    case DialogType::Error:
        return QStringLiteral("Error");
    case DialogType::Warning:
        return QStringLiteral("Warning");
    case DialogType::Confirmation:
        break;
    }
    return QStringLiteral("Confirm");
}

DialogResult ShowInMessageBox(QWidget* parent, const DialogRequest& request) {
    QMessageBox box(IconOf(request.type), CaptionOf(request.type), QString::fromStdString(request.text),
                    QMessageBox::NoButton, parent ? parent : QApplication::activeWindow());
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    if (request.buttons == DialogButtons::YesNo) {
        yes = box.addButton(QMessageBox::Yes);
        no = box.addButton(QMessageBox::No);
        box.setDefaultButton(yes);
    } else {
        ok = box.addButton(QMessageBox::Ok);
        box.setDefaultButton(ok);
    }
    // Escape and the close box press this hidden button, so that closing the
    // dialog never passes for one of the visible answers.
    QPushButton* closed = box.addButton(QMessageBox::Cancel);
    closed->hide();
    box.setEscapeButton(closed);
    box.exec();

    const auto* clicked = box.clickedButton();
    if (clicked && clicked == ok) return DialogResult::Ok;
    if (clicked && clicked == yes) return DialogResult::Yes;
    if (clicked && clicked == no) return DialogResult::No;
    return DialogResult::Cancel;
}

}  // namespace

void InstallWidgetDialogs(QWidget* parent) {
    InstallDialogHandler([owner = QPointer<QWidget>(parent)](const DialogRequest& request) {
        return ShowInMessageBox(owner.data(), request);
    });
}

}  // namespace kavrell::ui

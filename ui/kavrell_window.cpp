#include "kavrell_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>

#include "editor_controls.h"
#include "gauge_widget.h"
#include "image_view_widget.h"
#include "morph/host_link.h"
#include "morph_player_window.h"
#include "notebook.h"
#include "speed_button.h"
#include "spin_edit.h"
#include "ui_colors.h"
#include "window_font.h"

namespace kavrell::ui {

TfrmKavrell* frmKavrell = nullptr;

namespace {

constexpr QSize kOuterSize{858, 575};

ui::ViewCursor WidgetCursor(kavrell::ViewCursor cursor) {
    return cursor == kavrell::ViewCursor::HandPoint ? ui::ViewCursor::HandPoint : ui::ViewCursor::CrossHair;
}

}  // namespace

TfrmKavrell::TfrmKavrell(QWidget* owner)
    : QDialog(owner),
      host_(std::make_unique<HostLink>(model_)),
      controls_(std::make_unique<EditorControls>(BuildEditorControls(*this, model_))) {
    setObjectName(QStringLiteral("frmKavrell"));
    setWindowTitle(QStringLiteral("Kavrell v.2.1"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(WindowFont());
    QPalette face = palette();
    face.setColor(QPalette::Window, kButtonFace);
    setPalette(face);
    setAutoFillBackground(true);

    // The outer size includes the frame the window system adds, and the
    // window sits in the middle of the screen.
    resize(kOuterSize);
    create();
    resize(kOuterSize - (frameGeometry().size() - geometry().size()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(kOuterSize.width() / 2, kOuterSize.height() / 2));
    }

    for (SpeedButton* button : findChildren<SpeedButton*>()) {
        connect(button, &SpeedButton::clicked, this, [this, button] { CommonButtonsClick(button); });
    }
    connect(controls_->MoveAll_chk, &QCheckBox::clicked, this,
            [this] { CommonButtonsClick(controls_->MoveAll_chk); });

    // Generation runs without an event loop: the page and the cursor change
    // on screen at once.
    model_.SetPageListener([this](NotebookPage page) {
        controls_->OvcBook->SetPageIndex(static_cast<int>(page));
        controls_->OvcBook->repaint();
    });
    model_.SetBusyListener([](bool busy) {
        if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    });

    frmMorphPlayer = new TfrmMorphPlayer(model_.Sequence(), this);
    model_.AttachPlayer(this);
}

TfrmKavrell::~TfrmKavrell() { FormDestroy(); }

void TfrmKavrell::FormDestroy() {
    // The views, the gauge and the player show objects of the model, which
    // goes before the widget base class would delete them: they go first.
    const QObjectList owned = children();
    qDeleteAll(owned);
    model_.AttachPlayer(nullptr);
    model_.SetPageListener({});
    model_.SetBusyListener({});
    if (frmKavrell == this) frmKavrell = nullptr;
}

void TfrmKavrell::SetCallback(HostCallback callback) { host_->SetCallback(callback); }

void TfrmKavrell::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && !shown_) {
        shown_ = true;
        FormShow();
    }
}

// The show steps: the host's frames into the views, the mode label, the
// mouse handlers.
void TfrmKavrell::FormShow() {
    host_->ShowHostFrames();
    for (ImageViewWidget* view : {controls_->VectLeft, controls_->VectRight}) {
        view->ImageChanged();
        view->SetViewCursor(ui::ViewCursor::CrossHair);
        view->SetOnMouseDown([this](ImageViewWidget& sender, Qt::MouseButton, Qt::KeyboardModifiers, int x,
                                    int y) { VectViewMouseDown(sender, x, y); });
        view->SetOnMouseUp([this](ImageViewWidget& sender, Qt::MouseButton, Qt::KeyboardModifiers, int x,
                                  int y) { VectViewMouseUp(sender, x, y); });
        view->SetOnMouseMove([this](ImageViewWidget& sender, Qt::MouseButton, Qt::KeyboardModifiers, int x,
                                    int y) { VectViewMouseMove(sender, x, y); });
    }
    ShowModelState();
}

void TfrmKavrell::done(int result) {
    FormClose();
    QDialog::done(result);
}

// Closing blanks both views and releases the record; the window is deleted
// once its modal loop has ended.
void TfrmKavrell::FormClose() {
    if (!model_.Warp()) return;
    model_.Close();
    controls_->VectLeft->ImageChanged();
    controls_->VectRight->ImageChanged();
}

// Escape does not close the editor: only the close box and the hand-over do.
void TfrmKavrell::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

ViewId TfrmKavrell::IdOf(const ImageViewWidget& view) const {
    return &view == controls_->VectLeft ? ViewId::Left : ViewId::Right;
}

ImageViewWidget& TfrmKavrell::ViewWidget(ViewId view) const {
    return view == ViewId::Left ? *controls_->VectLeft : *controls_->VectRight;
}

void TfrmKavrell::VectViewMouseDown(ImageViewWidget& sender, int x, int y) {
    model_.MouseDown(IdOf(sender), sender.XScr2Bmp(x), sender.YScr2Bmp(y));
    ShowModelState();
}

void TfrmKavrell::VectViewMouseMove(ImageViewWidget& sender, int x, int y) {
    sender.SetViewCursor(
        WidgetCursor(model_.MouseMove(IdOf(sender), sender.XScr2Bmp(x), sender.YScr2Bmp(y))));
}

void TfrmKavrell::VectViewMouseUp(ImageViewWidget& sender, int x, int y) {
    model_.MouseUp(IdOf(sender), sender.XScr2Bmp(x), sender.YScr2Bmp(y));
}

void TfrmKavrell::CommonButtonsClick(QObject* sender) {
    PushControlValues();
    if (const std::optional<ViewRequest> request = model_.CommonButtonsClick(TagOf(sender)))
        CarryOut(*request);
    ShowModelState();
    if (model_.CloseRequested()) close();
}

// The values the commands read come from the controls as they stand.
void TfrmKavrell::PushControlValues() {
    model_.SetFrameCount(controls_->Frames_ed->value());
    model_.SetDelay(controls_->Delay_ed->value());
    model_.SetMeshColumns(controls_->WarpMesh_ed1->value());
    model_.SetMeshRows(controls_->WarpMesh_ed2->value());
    model_.SetLinear(controls_->WarpMesh_rbt1->isChecked());
}

// The controls follow what the model holds: the toggles, the page, the
// labels.
void TfrmKavrell::ShowModelState() {
    EditorControls& c = *controls_;
    c.lbCenterLeft->SetDown(model_.CenterDown(ViewId::Left));
    c.lbCenterRight->SetDown(model_.CenterDown(ViewId::Right));
    c.MoveAll_chk->setChecked(model_.MoveBoth());
    const bool mesh = model_.Method() == WarpMethod::Mesh;
    (mesh ? c.lbMesh : c.lbField)->SetDown(true);
    c.lbFieldAdd->SetDown(model_.AddMode());
    c.lbFieldAdd->setText(QString::fromLatin1(model_.AddButtonCaption()));
    c.OvcBook->SetPageIndex(static_cast<int>(model_.Page()));
    c.labMorphMode->setText(QString::fromStdString(model_.ModeLabel()));
    c.labMorphMode->adjustSize();
    c.WField_lab2->setText(QString::fromStdString(model_.UsedLabel()));
    c.WField_lab3->setText(QString::fromStdString(model_.FreeLabel()));
}

void TfrmKavrell::CarryOut(const ViewRequest& request) {
    ImageViewWidget& view = ViewWidget(request.view);
    switch (request.action) {
    case ViewAction::Center:
        view.SetCenter(request.center);
        view.SetViewX(0);
        view.SetViewY(0);
        break;
    case ViewAction::Fit:
        view.Fit();
        break;
    case ViewAction::ZoomIn:
        view.SetZoom(view.Zoom() * 2.0);
        break;
    case ViewAction::ZoomOut:
        view.SetZoom(view.Zoom() * 0.5);
        break;
    }
}

// The model's player: the player window, shown modally over the editor.
int32_t TfrmKavrell::ShowModal(bool preview) {
    return frmMorphPlayer->ShowModal(preview) == TfrmMorphPlayer::kSaveResult ? PlayerSaveAndExit
                                                                              : PlayerClosed;
}

}  // namespace kavrell::ui

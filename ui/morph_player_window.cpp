#include "morph_player_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "button_pictures.h"
#include "flat_panel.h"
#include "multi_frame_view.h"
#include "speed_button.h"
#include "track_bar.h"
#include "ui_colors.h"
#include "window_font.h"

namespace kavrell::ui {
namespace {

constexpr int kTopPanelHeight = 41;
constexpr int kControlPanelHeight = 63;
// The margin around the frame cell, on each side together.
constexpr int kCellMargin = 24;
// The save button's left edge; its right edge keeps the same distance from the
// panel's right edge, so that it covers the panel's centred caption at any width.
constexpr int kSaveButtonInset = 72;

QSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

SpeedButton* AddPlayerButton(QWidget* parent, const char* name, int left, ButtonPicture picture) {
    auto* button = new SpeedButton(ButtonLook::Flat, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, 5, 25, 25);
    button->SetPicture(DrawButtonPicture(picture));
    return button;
}

}  // namespace

DisplayLimits DisplayLimits::ForScreen(QSize screen) {
    DisplayLimits limits;
    limits.maxCellWidth = screen.width() - 220;
    limits.maxCellHeight = screen.height() - 220;
    return limits;
}

TfrmMorphPlayer::TfrmMorphPlayer(FrameList& frames, QWidget* owner)
    : TfrmMorphPlayer(frames, owner, PrimaryScreenSize()) {}

TfrmMorphPlayer::TfrmMorphPlayer(FrameList& frames, QWidget* owner, QSize screenSize)
    : QDialog(owner),
      frames_(frames),
      screenSize_(screenSize),
      limits_(DisplayLimits::ForScreen(screenSize)) {
    setObjectName(QStringLiteral("frmMorphPlayer"));
    setWindowTitle(QStringLiteral("Morph output"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    QPalette face = palette();
    face.setColor(QPalette::Window, kButtonFace);
    setPalette(face);
    setAutoFillBackground(true);
    BuildControls();
    resize(307, 338);
}

void TfrmMorphPlayer::BuildControls() {
    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(0);

    auto* playPanel = new QWidget(this);
    playPanel->setObjectName(QStringLiteral("VA_play_pan"));
    auto* playLayout = new QVBoxLayout(playPanel);
    playLayout->setContentsMargins(0, 0, 0, 0);
    playLayout->setSpacing(0);

    panTop_ = new FlatPanel(playPanel);
    panTop_->setObjectName(QStringLiteral("panTop"));
    panTop_->setFixedHeight(kTopPanelHeight);
    panTop_->SetCaption(QStringLiteral("Preview mode"));
    panTop_->installEventFilter(this);
    playLayout->addWidget(panTop_);

    lbSaveClose_ = new SpeedButton(ButtonLook::Command, panTop_);
    lbSaveClose_->setObjectName(QStringLiteral("lbSaveClose"));
    lbSaveClose_->setText(QStringLiteral("Save sequence and exit"));
    lbSaveClose_->setGeometry(kSaveButtonInset, 8, 153, 23);
    connect(lbSaveClose_, &SpeedButton::clicked, this, [this] { done(kSaveResult); });

    VA_MView_ = new MultiFrameView(frames_, playPanel);
    VA_MView_->setObjectName(QStringLiteral("VA_MView"));
    VA_MView_->SetOnImageDraw([this](int32_t index) { VA_MViewImageDraw(index); });
    playLayout->addWidget(VA_MView_, 1);
    form->addWidget(playPanel, 1);

    auto* controls = new FlatPanel(this);
    controls->setObjectName(QStringLiteral("PanelCtrl"));
    controls->setFixedHeight(kControlPanelHeight);
    form->addWidget(controls);

    connect(AddPlayerButton(controls, "VA_begin", 8, ButtonPicture::Begin), &SpeedButton::clicked, this,
            &TfrmMorphPlayer::VA_beginClick);
    VA_play_ = AddPlayerButton(controls, "VA_play", 33, ButtonPicture::Play);
    VA_play_->SetGroupIndex(1);
    VA_play_->SetAllowAllUp(true);
    connect(VA_play_, &SpeedButton::clicked, this, &TfrmMorphPlayer::VA_playClick);
    connect(AddPlayerButton(controls, "VA_end", 58, ButtonPicture::End), &SpeedButton::clicked, this,
            &TfrmMorphPlayer::VA_endClick);

    VA_track_ = new TxTrackBar(controls);
    VA_track_->setObjectName(QStringLiteral("VA_track"));
    VA_track_->setGeometry(97, 6, 185, 22);
    VA_track_->setCursor(Qt::PointingHandCursor);
    VA_track_->setRange(0, 100);
    VA_track_->SetSelection(0, 0);
    connect(VA_track_, &TxTrackBar::valueChanged, this, &TfrmMorphPlayer::VA_trackChange);

    auto* caption = new QLabel(QStringLiteral("Current frame:"), controls);
    caption->setObjectName(QStringLiteral("StaticText1"));
    caption->setGeometry(18, 38, 76, 17);
    // A font wider than Tahoma must not cut the text off.
    caption->resize(std::max(caption->width(), caption->sizeHint().width()), caption->height());

    VA_lab_ = new QLabel(QStringLiteral("100"), controls);
    VA_lab_->setObjectName(QStringLiteral("VA_lab"));
    VA_lab_->setFont(WindowFont(true));
    QPalette red = VA_lab_->palette();
    red.setColor(QPalette::WindowText, kRed);
    VA_lab_->setPalette(red);
    VA_lab_->move(105, 38);
    VA_lab_->adjustSize();
}

int TfrmMorphPlayer::ShowModal(bool previewMode) {
    previewMode_ = previewMode;
    FormShow();
    return exec();
}

void TfrmMorphPlayer::FormShow() {
    lbSaveClose_->setVisible(!previewMode_);
    VA_track_->setMaximum(std::max(0, VA_MView_->ImageCount() - 1));
    VA_MView_->SetPlayLoop(true);

    // The cell takes the size of the frames within the display limits; the
    // maximum is applied last, so it wins on a screen too small for the minimum.
    int cellHeight = VA_MView_->GetImageHeight(0);
    int cellWidth = VA_MView_->GetImageWidth(0);
    if (cellHeight < limits_.minCellHeight) cellHeight = limits_.minCellHeight;
    if (cellHeight > limits_.maxCellHeight) cellHeight = limits_.maxCellHeight;
    if (cellWidth < limits_.minCellWidth) cellWidth = limits_.minCellWidth;
    if (cellWidth > limits_.maxCellWidth) cellWidth = limits_.maxCellWidth;
    VA_MView_->SetThumbHeight(cellHeight);
    VA_MView_->SetThumbWidth(cellWidth);

    resize(cellWidth + kCellMargin, cellHeight + kTopPanelHeight + kControlPanelHeight + kCellMargin);
    create();  // the window's frame, whose size the centring needs
    const QSize outer = frameGeometry().size();
    move((screenSize_.width() - outer.width()) / 2, (screenSize_.height() - outer.height()) / 2 + 1);

    VA_MView_->SetVisibleFrame(0);
}

void TfrmMorphPlayer::FormClose() {
    VA_play_->SetDown(false);
    VA_MView_->SetPlaying(false);
}

void TfrmMorphPlayer::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TfrmMorphPlayer::reject() { done(kCancelResult); }

void TfrmMorphPlayer::VA_playClick() { VA_MView_->SetPlaying(VA_play_->Down()); }

void TfrmMorphPlayer::VA_beginClick() { VA_MView_->SetVisibleFrame(0); }

void TfrmMorphPlayer::VA_endClick() { VA_MView_->SetVisibleFrame(VA_MView_->ImageCount() - 1); }

// The track bar moved: show that frame without the view moving the bar back.
void TfrmMorphPlayer::VA_trackChange() {
    VA_MView_->SetOnImageDraw({});
    VA_MView_->SetVisibleFrame(VA_track_->value());
    VA_lab_->setText(QString::number(VA_track_->value()));
    VA_lab_->adjustSize();
    VA_MView_->SetOnImageDraw([this](int32_t index) { VA_MViewImageDraw(index); });
}

// The view drew a frame: follow it with the label and the bar, without the bar
// moving the view in turn.
void TfrmMorphPlayer::VA_MViewImageDraw(int32_t index) {
    const QSignalBlocker detached(VA_track_);
    VA_lab_->setText(QString::number(index));
    VA_lab_->adjustSize();
    VA_track_->setValue(index);
}

bool TfrmMorphPlayer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panTop_ && event->type() == QEvent::Resize) {
        lbSaveClose_->resize(std::max(0, panTop_->width() - 2 * kSaveButtonInset), lbSaveClose_->height());
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kavrell::ui

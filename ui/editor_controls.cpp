#include "editor_controls.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "button_pictures.h"
#include "flat_panel.h"
#include "gauge_widget.h"
#include "image_view_widget.h"
#include "morph/editor_limits.h"
#include "notebook.h"
#include "speed_button.h"
#include "spin_edit.h"
#include "ui_colors.h"
#include "window_font.h"

namespace kavrell::ui {
namespace {

constexpr int kImagePanelWidth = 420;
constexpr int kSplitterWidth = 8;
constexpr int kToolPanelHeight = 41;
constexpr int kBottomPanelHeight = 96;
constexpr int kBottomLeftWidth = 423;
const char* const kTagProperty = "Tag";
const QColor kGaugeBorder{0xA0, 0x96, 0x83};

// The short hint is the text before the bar; the rest is the long hint.
void SetHint(QWidget* control, const char* hint) {
    control->setToolTip(QString::fromLatin1(hint).section(QLatin1Char('|'), 0, 0));
}

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* AddText(QWidget* parent, const char* name, const char* text, int left, int top, bool bold = false) {
    auto* label = Named(new QLabel(QString::fromLatin1(text), parent), name);
    label->setFont(WindowFont(bold));
    label->move(left, top);
    label->adjustSize();
    return label;
}

SpeedButton* AddButton(QWidget* parent, const char* name, ButtonLook look, int tag, QRect geometry,
                       const char* caption, const char* hint) {
    auto* button = Named(new SpeedButton(look, parent), name);
    button->SetTag(tag);
    button->setGeometry(geometry);
    button->setText(QString::fromLatin1(caption));
    SetHint(button, hint);
    return button;
}

SpinEdit* AddSpinEdit(QWidget* parent, const char* name, int minimum, int maximum, int initial,
                      QRect geometry) {
    auto* edit = Named(new SpinEdit(minimum, maximum, initial, parent), name);
    edit->setFont(WindowFont());
    edit->setGeometry(geometry);
    return edit;
}

// A bold counter whose right edge stays at x 99 whatever its width.
QLabel* AddCounter(QWidget* parent, const char* name, const char* text, int top) {
    constexpr int kRightEdge = 99;
    constexpr int kWidth = 40;
    auto* label = Named(new QLabel(QString::fromLatin1(text), parent), name);
    label->setFont(WindowFont(true));
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setGeometry(kRightEdge - kWidth, top, kWidth, 14);
    return label;
}

struct ViewToolNames {
    const char* center;
    const char* fit;
    const char* zoomIn;
    const char* zoomOut;
};

// The four view tools of one image panel, the first at left; answers the
// centre button, a toggle of its own group.
SpeedButton* AddViewTools(QWidget* panel, const ViewToolNames& names, int firstTag, const int (&lefts)[4]) {
    struct Tool {
        const char* name;
        ButtonPicture picture;
        const char* hint;
    };
    const Tool tools[] = {{names.center, ButtonPicture::Center, "center image|"},
                          {names.fit, ButtonPicture::Fit, "zoom to fit|"},
                          {names.zoomIn, ButtonPicture::ZoomIn, "zoom in 2|"},
                          {names.zoomOut, ButtonPicture::ZoomOut, "zoom out 2|"}};
    SpeedButton* center = nullptr;
    for (int k = 0; k < 4; ++k) {
        SpeedButton* button = AddButton(panel, tools[k].name, ButtonLook::ViewTool, firstTag + k,
                                        QRect(lefts[k], 8, 25, 25), "", tools[k].hint);
        button->SetPicture(DrawButtonPicture(tools[k].picture));
        if (k == 0) center = button;
    }
    center->SetGroupIndex(firstTag);
    center->SetAllowAllUp(true);
    return center;
}

// An image panel: the view tools on top, the view filling the rest.
FlatPanel* AddImagePanel(QWidget* parent, const char* name, const char* topName, ImageViewWidget*& view,
                         ImageView& image, const char* viewName) {
    auto* panel = Named(new FlatPanel(parent), name);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* top = Named(new FlatPanel(panel), topName);
    top->setFixedHeight(kToolPanelHeight);
    layout->addWidget(top);
    view = Named(new ImageViewWidget(image, panel), viewName);
    layout->addWidget(view, 1);
    return panel;
}

void BuildBottomLeft(QWidget* panel, EditorControls& c) {
    AddText(panel, "StaticText1", "Warp methods", 8, 12);
    c.lbMesh = AddButton(panel, "lbMesh", ButtonLook::Selector, TagMesh, QRect(96, 8, 100, 23), "Mesh 2-pass",
                         "select mesh 2- pass method|");
    c.lbMesh->SetGroupIndex(TagMesh);
    c.lbMesh->SetDown(true);
    c.lbField = AddButton(panel, "lbField", ButtonLook::Selector, TagField, QRect(208, 8, 100, 23),
                          "Field warping", "select field warping method|");
    c.lbField->SetGroupIndex(TagMesh);
    AddText(panel, "StaticText2", "Frames", 10, 43);
    c.Frames_ed = AddSpinEdit(panel, "Frames_ed", MinFrames, MaxFrames, DefaultFrames, QRect(59, 41, 54, 21));
    AddText(panel, "StaticText3", "Delay", 10, 69);
    c.Delay_ed = AddSpinEdit(panel, "Delay_ed", MinDelay, MaxDelay, DefaultDelay, QRect(59, 68, 54, 20));
    AddButton(panel, "lbMeshPreview", ButtonLook::Command, TagPreview, QRect(208, 37, 156, 23),
              "Morph preview", "execute morphing sequence on smaller image|");
    AddButton(panel, "lbMeshExecute", ButtonLook::Execute, TagExecute, QRect(208, 64, 156, 23),
              "Execute morphing", "execute morphing sequence|");
}

void BuildMeshPage(QWidget* page, EditorControls& c) {
    AddText(page, "StaticText4", "Mesh 2-pass morphing", 136, 8, true);
    AddText(page, "StaticText5", "Horizontal pts", 9, 41);
    c.WarpMesh_ed1 = AddSpinEdit(page, "WarpMesh_ed1", MinMeshCount, MaxMeshCount, DefaultMeshCount,
                                 QRect(94, 38, 57, 20));
    AddText(page, "StaticText6", "Vertical pts", 8, 67);
    c.WarpMesh_ed2 = AddSpinEdit(page, "WarpMesh_ed2", MinMeshCount, MaxMeshCount, DefaultMeshCount,
                                 QRect(94, 64, 57, 20));
    c.WarpMesh_rbt1 = Named(new QRadioButton(QStringLiteral("Linear"), page), "WarpMesh_rbt1");
    c.WarpMesh_rbt2 = Named(new QRadioButton(QStringLiteral("Catmull-Rom"), page), "WarpMesh_rbt2");
    for (QRadioButton* radio : {c.WarpMesh_rbt1, c.WarpMesh_rbt2}) {
        radio->setFont(WindowFont());
        radio->adjustSize();
    }
    c.WarpMesh_rbt1->move(176, 38);
    c.WarpMesh_rbt2->move(176, 64);
    c.WarpMesh_rbt1->setChecked(true);
    AddButton(page, "lbNewMesh", ButtonLook::Command, TagNewMesh, QRect(280, 35, 100, 23), "Create mesh",
              "create new mesh|");
    AddButton(page, "LbClearMesh", ButtonLook::Command, TagClearMesh, QRect(280, 64, 100, 23), "Clear",
              "clear current mesh|")
        ->SetTextColor(kRed);
}

void BuildFieldPage(QWidget* page, EditorControls& c) {
    AddText(page, "StaticText7", "Field warping", 168, 8, true);
    AddText(page, "StaticText8", "Max:", 15, 35);
    AddText(page, "StaticText9", "Used:", 15, 51);
    AddText(page, "StaticText10", "Free:", 15, 67);
    AddCounter(page, "WField_lab1", "1000", 35);
    c.WField_lab2 = AddCounter(page, "WField_lab2", "0", 51);
    c.WField_lab3 = AddCounter(page, "WField_lab3", "1000", 67);
    c.lbFieldAdd = AddButton(page, "lbFieldAdd", ButtonLook::Selector, TagFieldAdd, QRect(144, 32, 100, 23),
                             "Add pts.", "add pts./move pts. toggle| ");
    c.lbFieldAdd->SetGroupIndex(TagFieldAdd);
    c.lbFieldAdd->SetAllowAllUp(true);
    c.lbFieldAdd->SetDown(true);
    AddButton(page, "lbFieldBreak", ButtonLook::Command, TagLineBreak, QRect(264, 32, 100, 23), "Line break",
              "break - prepare for new polyline|");
    AddButton(page, "lbFieldClear", ButtonLook::Command, TagFieldClear, QRect(264, 64, 100, 23), "Clear",
              "delete current polylines|")
        ->SetTextColor(kRed);
}

}  // namespace

int TagOf(const QObject* control) {
    if (const auto* button = qobject_cast<const SpeedButton*>(control)) return button->Tag();
    return control ? control->property(kTagProperty).toInt() : 0;
}

EditorControls BuildEditorControls(QDialog& form, EditorModel& model) {
    EditorControls c;
    auto* formLayout = new QVBoxLayout(&form);
    formLayout->setContentsMargins(0, 0, 0, 0);
    formLayout->setSpacing(0);

    // The two image panels side by side; the splitter resizes the left one.
    auto* splitter = Named(new QSplitter(Qt::Horizontal, &form), "Splitter1");
    splitter->setHandleWidth(kSplitterWidth);
    splitter->setChildrenCollapsible(false);
    FlatPanel* left = AddImagePanel(splitter, "PanelLeft", "PanelTopLeft", c.VectLeft,
                                    model.View(ViewId::Left), "VectLeft");
    FlatPanel* right = AddImagePanel(splitter, "PanelRight", "PanelTopRight", c.VectRight,
                                     model.View(ViewId::Right), "VectRight");
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kImagePanelWidth, 1000});
    formLayout->addWidget(splitter, 1);

    QWidget* topLeft = left->findChild<QWidget*>(QStringLiteral("PanelTopLeft"));
    c.lbCenterLeft = AddViewTools(topLeft, {"lbCenterLeft", "lbZoomFitLeft", "lbZoomInLeft", "lbZoomOutLeft"},
                                  TagCenterLeft, {6, 32, 57, 82});
    c.MoveAll_chk = Named(new QCheckBox(QStringLiteral("Move src. && dest. "), topLeft), "MoveAll_chk");
    c.MoveAll_chk->setFont(WindowFont());
    c.MoveAll_chk->setProperty(kTagProperty, TagMoveBoth);
    c.MoveAll_chk->setGeometry(245, 12, 108, 17);
    c.MoveAll_chk->resize(std::max(108, c.MoveAll_chk->sizeHint().width()), 17);

    QWidget* topRight = right->findChild<QWidget*>(QStringLiteral("PanelTopRight"));
    c.lbCenterRight =
        AddViewTools(topRight, {"lbCenterRight", "lbZoomFitRight", "lbZoomInRight", "lbZoomOutRight"},
                     TagCenterRight, {15, 41, 66, 91});
    c.labMorphMode = AddText(topRight, "labMorphMode", "", 189, 11);

    // The bottom panel: methods and generation on the left, the notebook.
    auto* bottom = Named(new FlatPanel(&form), "PanelBottom");
    bottom->setFixedHeight(kBottomPanelHeight);
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bottomLayout->setSpacing(0);
    auto* bottomLeft = Named(new FlatPanel(bottom), "PanelBotLeft");
    bottomLeft->setFixedWidth(kBottomLeftWidth);
    bottomLayout->addWidget(bottomLeft);
    BuildBottomLeft(bottomLeft, c);

    c.OvcBook = Named(new Notebook(bottom), "OvcBook");
    bottomLayout->addWidget(c.OvcBook, 1);
    QWidget* progressPage = c.OvcBook->AddPage(QStringLiteral("ProgressPage"));
    c.ProgressBar = Named(new GaugeWidget(model.Gauge(), progressPage), "ProgressBar");
    c.ProgressBar->setGeometry(40, 32, 369, 25);
    c.ProgressBar->SetBorderColor(kGaugeBorder);
    BuildMeshPage(c.OvcBook->AddPage(QStringLiteral("MeshWarpPage")), c);
    BuildFieldPage(c.OvcBook->AddPage(QStringLiteral("FieldWarpPage")), c);
    c.OvcBook->SetPageIndex(static_cast<int>(NotebookPage::Mesh));
    formLayout->addWidget(bottom);
    return c;
}

}  // namespace kavrell::ui

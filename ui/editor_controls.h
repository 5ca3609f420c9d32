#pragma once

#include "morph/editor_model.h"

class QCheckBox;
class QDialog;
class QObject;
class QLabel;
class QRadioButton;

namespace kavrell::ui {

class GaugeWidget;
class ImageViewWidget;
class Notebook;
class SpeedButton;
class SpinEdit;

// The editor window's controls that its handlers read or change.
struct EditorControls {
    ImageViewWidget* VectLeft = nullptr;
    ImageViewWidget* VectRight = nullptr;
    SpeedButton* lbCenterLeft = nullptr;
    SpeedButton* lbCenterRight = nullptr;
    QCheckBox* MoveAll_chk = nullptr;
    QLabel* labMorphMode = nullptr;
    SpeedButton* lbMesh = nullptr;
    SpeedButton* lbField = nullptr;
    SpinEdit* Frames_ed = nullptr;
    SpinEdit* Delay_ed = nullptr;
    Notebook* OvcBook = nullptr;
    GaugeWidget* ProgressBar = nullptr;
    SpinEdit* WarpMesh_ed1 = nullptr;
    SpinEdit* WarpMesh_ed2 = nullptr;
    QRadioButton* WarpMesh_rbt1 = nullptr;
    QRadioButton* WarpMesh_rbt2 = nullptr;
    QLabel* WField_lab2 = nullptr;
    QLabel* WField_lab3 = nullptr;
    SpeedButton* lbFieldAdd = nullptr;
};

// Builds the editor's control tree on form: the two image panels with their
// view tools and a splitter between them, and the bottom panel with the
// method selectors, the generation settings and commands and the notebook of
// the progress, mesh and field pages. The views show the model's views and
// the gauge the model's gauge. Every button and the check box carry their Tag
// (the check box as the property "Tag"); the caller connects their clicks.
EditorControls BuildEditorControls(QDialog& form, EditorModel& model);

// The Tag a button or the check box carries, 0 for any other object.
int TagOf(const QObject* control);

}  // namespace kavrell::ui
